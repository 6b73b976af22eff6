"""One generated file: where it goes, its bytes, and a preview for the contact sheet."""
from dataclasses import dataclass

import raster


@dataclass
class Output:
    path: str            # relative to the resources folder
    data: bytes
    preview: raster.Image
    label: str

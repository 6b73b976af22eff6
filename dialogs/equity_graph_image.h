// Saving the equity graph as an image: the default file name, the format by the file's ending,
// the folder remembered for the next time, and the chart drawn into an image.
#pragma once

#include "controls/equity_diagram.h"
#include "framework/afxwin.h"
#include "framework/image.h"

// "[text] vs. [text] ... Board=cards" from the non-empty range texts (each cut to 8 characters
// and "..."), with every "*" as "x" and every "/" as "-", so that it is a valid file name.
CString BuildEquityGraphImageName(const CString* rangeTexts, int count, const CString& boardText);
// The image format of a path's ending (".png", ".jpg", ".bmp", ".gif", exactly so); false for
// any other ending.
bool EquityGraphImageFormat(const CString& path, GUID* format);
// The folder part of a path (before its last "/", else its last "\"); empty without either.
CString EquityGraphImageFolder(const CString& path);
// The chart with its curves as a 32-bit image of width x height pixels.
bool RenderDiagramImage(COwnerdrawedDiagramm& diagram, int width, int height, CImage& image);

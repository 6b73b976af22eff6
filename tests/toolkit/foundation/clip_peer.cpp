// The other process of the clipboard tests: "copy" places the agreed picture in both formats;
// "paste-own" and "paste-standard" paste it and check it. Exit code 0 when it worked.
#include <cstring>

#include "tests/toolkit/foundation/clip_picture.h"

int main(int argc, char** argv) {
  if (argc < 2) return 64;
  if (std::strcmp(argv[1], "copy") == 0) return cliptest::Picture().CopyToClipboard(nullptr, true, true) ? 0 : 1;
  const bool own = std::strcmp(argv[1], "paste-own") == 0;
  CExtBitmap pasted;
  if (!pasted.PasteFromClipboard(nullptr, !own, own)) return 2;
  return cliptest::Matches(pasted, own) ? 0 : 3;
}

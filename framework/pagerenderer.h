// The engine that draws a page for the web-browser control. The framework
// has no HTML engine of its own: a library that has one (or the program)
// installs a factory, and every browser control made afterwards shows its
// pages through an engine from it. Without a factory the control shows the
// page's text (htmltext.h).
#pragma once

#include <windows.h>

#include "framework/fwdefs.h"

#include <memory>
#include <string>

namespace fw {

class IPageRenderer {
 public:
  virtual ~IPageRenderer() = default;
  // Reads a page; `baseUrl` is its address, against which the names it uses
  // (images, style sheets, links) are resolved.
  virtual void SetPage(const std::wstring& html, const std::wstring& baseUrl) = 0;
  // Lays the page out `width` pixels wide on `hdc` and gives the document's
  // size (its height may be less than the window's, and its width more).
  virtual SIZE Layout(HDC hdc, int width) = 0;
  // Paints the document part that shows at `clip` (client coordinates) when
  // the document's point `origin` is at the client's top-left corner. The
  // background is already filled with the window colour.
  virtual void Paint(HDC hdc, const RECT& clip, POINT origin) = 0;
  // The address a document point links to; empty when it is no link.
  virtual std::wstring LinkAt(POINT) { return {}; }
  // The document's top of an anchor (name or id) of the page; -1 when absent.
  virtual int AnchorTop(const std::wstring&) { return -1; }

  // Text selection. A text position counts along the page's text as the engine
  // orders it, from 0 to TextLength(); an engine that offers no selection
  // answers -1 from TextPositionAt.
  // The position nearest to a document point (the place a press or drag there means).
  virtual long TextPositionAt(POINT) { return -1; }
  virtual long TextLength() { return 0; }
  // Whether the page has text to select (the pointer shows the text beam over it); an engine may
  // answer without working out all of TextLength's positions.
  virtual bool HasText() { return TextLength() > 0; }
  // The text from `from` up to `to` (either order) as a reader copies it: the
  // cells of a table row separated by tabs, blocks and rows by line ends.
  virtual std::wstring TextBetween(long, long) { return {}; }
  // The word around a position (as positions).
  virtual void WordAround(long position, long& from, long& to) { from = to = position; }
  // The range painted as selected (either order; equal ends: none).
  virtual void SetSelection(long, long) {}
};

using PageRendererFactory = std::unique_ptr<IPageRenderer> (*)();

}  // namespace fw

// Installs the factory of page engines (null: pages show as text). Browser
// controls created before keep the view they have.
void AFXAPI AfxSetPageRendererFactory(fw::PageRendererFactory factory);
fw::PageRendererFactory AFXAPI AfxGetPageRendererFactory();

// Opens an address the page links to that is not a page of the program or a
// file (http:, mailto: ...), after the program's own checks; the framework
// opens none by itself. Returns false when it was not opened.
namespace fw {
using PageAddressOpener = bool (*)(const std::wstring& address);
}
void AFXAPI AfxSetPageAddressOpener(fw::PageAddressOpener opener);

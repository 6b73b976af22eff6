// Writing a page into a web-browser control: the control is first sent to a placeholder page,
// then the page text is loaded into its document through the document's stream
// initialisation, so no file is written and no address is visited.
#pragma once

#include <ole2.h>

#include "framework/afxwin.h"
#include "framework/webbrowser.h"

// Loads the stream into the document (InitNew, then Load). E_POINTER when either is missing;
// E_NOINTERFACE when the document cannot be loaded from a stream.
HRESULT LoadBrowserDocument(IUnknown* document, IStream* stream);
// The characters (no terminator) or the bytes as they are, through a memory stream.
HRESULT LoadBrowserDocumentFromText(int count, IUnknown* document, const wchar_t* text);
HRESULT LoadBrowserDocumentFromBytes(int count, IUnknown* document, const BYTE* bytes);
void ReleaseInterface(IUnknown* object);

// Writes a page into a browser's document. Nothing happens when the browser or the text is
// missing or the browser holds no document yet. The text form writes every character from
// 128 on as an HTML character reference, so the page survives any code page.
void WriteHtmlToBrowser(CWebBrowser2* browser, const CString& html);
void WriteBytesHtmlToBrowser(CWebBrowser2* browser, int count, const BYTE* bytes);
// The same for a document the caller already holds.
void WriteHtmlToDocument(IDispatch* document, const CString& html);
void WriteBytesHtmlToDocument(IDispatch* document, int count, const BYTE* bytes);

// Pumps this thread's messages until `loaded` becomes non-zero (the browser's document-complete
// handler sets it), the window is gone or `timeoutMs` has passed. A WM_QUIT met on the way is
// posted again for the outer loop. True only when the document loaded.
bool WaitForBrowserDocument(HWND window, const int& loaded, DWORD timeoutMs);

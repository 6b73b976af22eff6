// Writing a page into a web-browser control: the control is first sent to a placeholder page,
// then the page text is loaded into its document through the document's stream
// initialisation, so no file is written and no address is visited.
#pragma once

#include <ole2.h>
#include <mshtml.h>

#include "framework/afxwin.h"

// Dispatch id of the browser control's Document property.
constexpr DISPID kBrowserDocumentDispId = 203;

// Loads the stream into the document (InitNew, then Load). E_POINTER when either is missing.
HRESULT LoadBrowserDocument(IHTMLDocument2* document, IStream* stream);
// The characters (no terminator) or the bytes as they are, through a memory stream.
HRESULT LoadBrowserDocumentFromText(int count, IHTMLDocument2* document, const wchar_t* text);
HRESULT LoadBrowserDocumentFromBytes(int count, IHTMLDocument2* document, const BYTE* bytes);
void ReleaseInterface(IUnknown* object);

// Writes into the document of a browser control given by its dispatch interface. Nothing
// happens when the control or the text is missing, the control holds no document, or the
// document is no HTML document. WriteHtmlToBrowserControl writes every character from 128 on
// as an HTML character reference.
void WriteHtmlToBrowserControl(IDispatch* browser, const CString& html);
void WriteBytesHtmlToBrowserControl(IDispatch* browser, int count, const BYTE* bytes);

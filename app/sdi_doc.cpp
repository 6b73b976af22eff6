#include "app/sdi_doc.h"

IMPLEMENT_DYNCREATE(CSDITestDoc, CDocument)

CSDITestDoc::CSDITestDoc() = default;

CSDITestDoc::~CSDITestDoc() = default;

BOOL CSDITestDoc::OnNewDocument() { return CDocument::OnNewDocument(); }

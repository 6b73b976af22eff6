// Named document objects: the containers that hold them (one per document, one for the process)
// and the layout keeper, which owns a parsed document such as a style sheet. Names are
// normalised: lower case, trimmed of blanks, quotes and full stops.
#pragma once

#include "toolkit/richcontent/rich_layout.h"
#include "toolkit/richcontent/rich_types.h"

#include <map>
#include <memory>

class CExtRichDocObjectBase {
public:
    explicit CExtRichDocObjectBase(const RichString& name = RichString());
    CExtRichDocObjectBase(const CExtRichDocObjectBase&) = delete;
    CExtRichDocObjectBase& operator=(const CExtRichDocObjectBase&) = delete;
    virtual ~CExtRichDocObjectBase() = default;

    static RichString NormalizeName(const RichString& name);

    const RichString& GetName() const { return m_strName; }
    virtual bool IsContainer() const { return false; }
    virtual bool IsImage() const { return false; }
    virtual bool IsLayoutKeeper() const { return false; }

    RichString m_strName;
};

class CExtRichDocObjectContainer : public CExtRichDocObjectBase {
public:
    using ObjectMap = std::map<RichString, std::unique_ptr<CExtRichDocObjectBase>>;

    explicit CExtRichDocObjectContainer(const RichString& name = RichString()) : CExtRichDocObjectBase(name) {}

    bool IsContainer() const override { return true; }
    std::size_t GetCount() const { return m_mapObjects.size(); }
    CExtRichDocObjectBase* Find(const RichString& name) const;
    // Takes the object. Without `replace` an object of the same name makes the answer false and
    // the new object is deleted; an empty name is refused (the object deleted too).
    bool Add(CExtRichDocObjectBase* object, bool replace);
    bool Remove(const RichString& name);
    void RemoveAll() { m_mapObjects.clear(); }
    const ObjectMap& Objects() const { return m_mapObjects; }

private:
    ObjectMap m_mapObjects;
};

class CExtRichDocObjectLayoutKeeper : public CExtRichDocObjectBase {
public:
    explicit CExtRichDocObjectLayoutKeeper(const RichString& name = RichString()) : CExtRichDocObjectBase(name) {}

    bool IsLayoutKeeper() const override { return true; }
    const RichString& GetText() const { return m_strText; }
    // Clears the document and parses the text of the kind (an empty text only sets the kind).
    bool Parse(const RichString& text, int kind, unsigned dtFlags = 0, unsigned extraFlags = 0, bool clear = true);
    CExtRichContentLayout& GetLayout() { return m_layout; }
    // A non-empty style sheet document, or null.
    CExtRichContentLayout* GetStyleSheet();

    RichString m_strText;
    CExtRichContentLayout m_layout;
};

// The process-wide container, made on first use.
CExtRichDocObjectContainer& RichGlobalContainer();

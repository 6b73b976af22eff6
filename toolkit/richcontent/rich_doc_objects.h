// Named document objects: the containers that hold them (one per document, one for the process)
// and the layout keeper, which owns a parsed document such as a style sheet. Names are
// normalised: lower case, trimmed of blanks, quotes and full stops.
#pragma once

#include "toolkit/richcontent/rich_layout.h"
#include "toolkit/richcontent/rich_types.h"

#include "toolkit/richcontent/rich_ptr_list.h"

#include <cstdint>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

class CExtRichDocArchive;
class CExtRichDocObjectBase;

// The pixels of an image object: 32-bit BGRA rows, top row first. Empty until created.
class RichBitmap {
public:
    bool IsEmpty() const { return m_size.cx <= 0 || m_size.cy <= 0; }
    RichSize GetPixelSize() const { return m_size; }
    // False (and empty) for a size that is not positive or larger than kMaxSide on a side.
    bool Create(int cx, int cy);
    void Empty();
    std::uint32_t GetPixel(int x, int y) const;
    void SetPixel(int x, int y, std::uint32_t bgra);
    const std::vector<std::uint32_t>& Pixels() const { return m_pixels; }

    static constexpr int kMaxSide = 16384;

private:
    RichSize m_size;
    std::vector<std::uint32_t> m_pixels;
};

class CExtRichDocObjectBase {
public:
    explicit CExtRichDocObjectBase(const RichString& name = RichString());
    CExtRichDocObjectBase(const CExtRichDocObjectBase&) = delete;
    CExtRichDocObjectBase& operator=(const CExtRichDocObjectBase&) = delete;
    virtual ~CExtRichDocObjectBase() = default;

    // Lower case, then trimmed of blanks, quotes and full stops at both ends.
    static RichString NormalizeName(const RichString& name);

    // The class name an archive records ("CExtRichDocObjectImage", ...).
    virtual const char* GetArchiveClassName() const { return "CExtRichDocObjectBase"; }
    // Loads or stores the name and, for a container, its objects (each with its class).
    virtual void Serialize(CExtRichDocArchive& archive);
    const RichString& GetName() const { return m_strName; }
    virtual bool IsContainer() const { return false; }
    virtual bool IsImage() const { return false; }
    virtual bool IsLayoutKeeper() const { return false; }
    // Container operations; a plain object holds nothing.
    virtual std::size_t GetCount() const { return 0; }
    virtual CExtRichDocObjectBase* Find(const RichString& /*name*/) const { return nullptr; }
    // Takes the object whatever the answer (a refused object is deleted).
    virtual bool Add(CExtRichDocObjectBase* object, bool /*replace*/) {
        delete object;
        return false;
    }
    virtual bool Remove(const RichString& /*name*/) { return false; }
    virtual void RemoveAll() {}
    // Map-order walk: a position, then GetNext until the position is null.
    virtual RichPosition GetStartPosition() const { return nullptr; }
    virtual CExtRichDocObjectBase* GetNext(RichPosition& position) const {
        position = nullptr;
        return nullptr;
    }

    RichString m_strName;
};

class CExtRichDocObjectContainer : public CExtRichDocObjectBase {
public:
    using ObjectMap = std::map<RichString, std::unique_ptr<CExtRichDocObjectBase>>;

    explicit CExtRichDocObjectContainer(const RichString& name = RichString()) : CExtRichDocObjectBase(name) {}

    const char* GetArchiveClassName() const override { return "CExtRichDocObjectContainer"; }
    bool IsContainer() const override { return true; }
    std::size_t GetCount() const override { return m_mapObjects.size(); }
    CExtRichDocObjectBase* Find(const RichString& name) const override;
    // Takes the object. Without `replace` an object of the same name makes the answer false and
    // the new object is deleted; an empty name is refused (the object deleted too).
    bool Add(CExtRichDocObjectBase* object, bool replace) override;
    bool Remove(const RichString& name) override;
    void RemoveAll() override { m_mapObjects.clear(); }
    RichPosition GetStartPosition() const override;
    CExtRichDocObjectBase* GetNext(RichPosition& position) const override;
    const ObjectMap& Objects() const { return m_mapObjects; }

private:
    ObjectMap m_mapObjects;
};

// The process-wide container's own class.
class CExtRichDocObjectContainerGlobal : public CExtRichDocObjectContainer {
public:
    CExtRichDocObjectContainerGlobal() : CExtRichDocObjectContainer(u"$-object-container-global-$") {}
    const char* GetArchiveClassName() const override { return "CExtRichDocObjectContainerGlobal"; }
};

// A named image (img sources, background and list images).
class CExtRichDocObjectImage : public CExtRichDocObjectBase {
public:
    explicit CExtRichDocObjectImage(const RichString& name = RichString()) : CExtRichDocObjectBase(name) {}

    const char* GetArchiveClassName() const override { return "CExtRichDocObjectImage"; }
    bool IsImage() const override { return true; }
    // The name, then the bitmap (size and pixels); the alpha is not stored.
    void Serialize(CExtRichDocArchive& archive) override;
    RichBitmap& GetBitmap() { return *m_pBitmap; }
    const RichBitmap& GetBitmap() const { return *m_pBitmap; }
    std::uint8_t GetAlpha() const { return m_nAlpha; }
    void SetAlpha(std::uint8_t alpha) { m_nAlpha = alpha; }

    std::unique_ptr<RichBitmap> m_pBitmap = std::make_unique<RichBitmap>();
    std::uint8_t m_nAlpha = 255;
};

class CExtRichDocObjectLayoutKeeper : public CExtRichDocObjectBase {
public:
    explicit CExtRichDocObjectLayoutKeeper(const RichString& name = RichString()) : CExtRichDocObjectBase(name) {}

    const char* GetArchiveClassName() const override { return "CExtRichDocObjectLayoutKeeper"; }
    bool IsLayoutKeeper() const override { return true; }
    // The base's fields, then the source text and the document kind; loading parses the text.
    void Serialize(CExtRichDocArchive& archive) override;
    const RichString& GetText() const { return m_strText; }
    // Clears the document and parses the text of the kind (an empty text only sets the kind).
    bool Parse(const RichString& text, int kind, unsigned dtFlags = 0, unsigned extraFlags = 0, bool clear = true);
    CExtRichContentLayout& GetLayout() { return m_layout; }
    // A non-empty style sheet document, or null.
    CExtRichContentLayout* GetStyleSheet();

    RichString m_strText;
    CExtRichContentLayout m_layout;
};

// The process-wide container, made on first use and destroyed at exit.
CExtRichDocObjectContainer& RichGlobalContainer();

// What document objects are stored to and loaded from. Read failures throw
// RichDocArchiveError; so does a class that is not a document object.
class RichDocArchiveError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class CExtRichDocArchive {
public:
    virtual ~CExtRichDocArchive() = default;
    virtual bool IsLoading() const = 0;
    virtual void WriteInt32(std::int32_t value) = 0;
    virtual std::int32_t ReadInt32() = 0;
    virtual void WriteString(const RichString& text) = 0;
    virtual RichString ReadString() = 0;
    // The class of an object as a name.
    virtual void WriteClassName(const std::string& name) = 0;
    virtual std::string ReadClassName() = 0;
};

// An archive in memory: little-endian 32-bit values, strings as a 32-bit length and UTF-16
// units, class names as a 32-bit length and bytes.
class CExtRichDocMemoryArchive : public CExtRichDocArchive {
public:
    // A storing archive.
    CExtRichDocMemoryArchive() = default;
    // A loading archive over stored bytes.
    explicit CExtRichDocMemoryArchive(std::vector<std::uint8_t> bytes) : m_bytes(std::move(bytes)), m_bLoading(true) {}

    bool IsLoading() const override { return m_bLoading; }
    void WriteInt32(std::int32_t value) override;
    std::int32_t ReadInt32() override;
    void WriteString(const RichString& text) override;
    RichString ReadString() override;
    void WriteClassName(const std::string& name) override;
    std::string ReadClassName() override;
    const std::vector<std::uint8_t>& Bytes() const { return m_bytes; }

private:
    std::uint8_t ReadByte();

    std::vector<std::uint8_t> m_bytes;
    std::size_t m_nRead = 0;
    bool m_bLoading = false;
};

// Loads (object set to a new object of the stored class, the caller owns it) or stores one
// object with its class.
void SerializeDocObject(CExtRichDocArchive& archive, CExtRichDocObjectBase*& object);

// List markers: the marker text of a list-style-type for a number.
RichString FormatListNumber(int type, int number, bool fallback);
RichString FormatAlphabetic(int number, const RichString& letters, bool fallback);
RichString FormatLetters(int number, bool upper, bool fallback);
RichString FormatRoman(int number, bool upper, bool fallback);

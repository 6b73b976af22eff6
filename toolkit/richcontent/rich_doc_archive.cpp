// Storing and loading document objects: the memory archive and each class's Serialize. Loading
// trusts nothing: lengths are checked against what is left, unknown classes and nesting deeper
// than kMaxDepth are refused with RichDocArchiveError.
#include "toolkit/richcontent/rich_doc_objects.h"

#include <functional>

namespace {

constexpr int kMaxDepth = 64;
thread_local int g_depth = 0;

struct DepthGuard {
    DepthGuard() {
        if (++g_depth > kMaxDepth) {
            --g_depth;
            throw RichDocArchiveError("document objects nested too deeply");
        }
    }
    ~DepthGuard() { --g_depth; }
};

CExtRichDocObjectBase* CreateByClassName(const std::string& name) {
    if (name == "CExtRichDocObjectBase") return new CExtRichDocObjectBase;
    if (name == "CExtRichDocObjectContainer") return new CExtRichDocObjectContainer;
    if (name == "CExtRichDocObjectContainerGlobal") return new CExtRichDocObjectContainerGlobal;
    if (name == "CExtRichDocObjectImage") return new CExtRichDocObjectImage;
    if (name == "CExtRichDocObjectLayoutKeeper") return new CExtRichDocObjectLayoutKeeper;
    return nullptr;
}

}  // namespace

// ---- memory archive ----

void CExtRichDocMemoryArchive::WriteInt32(std::int32_t value) {
    const auto v = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) m_bytes.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

std::uint8_t CExtRichDocMemoryArchive::ReadByte() {
    if (m_nRead >= m_bytes.size()) throw RichDocArchiveError("archive ends early");
    return m_bytes[m_nRead++];
}

std::int32_t CExtRichDocMemoryArchive::ReadInt32() {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(ReadByte()) << (8 * i);
    return static_cast<std::int32_t>(v);
}

void CExtRichDocMemoryArchive::WriteString(const RichString& text) {
    WriteInt32(static_cast<std::int32_t>(text.size()));
    for (char16_t c : text) {
        m_bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
        m_bytes.push_back(static_cast<std::uint8_t>(c >> 8));
    }
}

RichString CExtRichDocMemoryArchive::ReadString() {
    const std::int32_t length = ReadInt32();
    if (length < 0 || static_cast<std::size_t>(length) > (m_bytes.size() - m_nRead) / 2)
        throw RichDocArchiveError("bad string length");
    RichString text(static_cast<std::size_t>(length), u'\0');
    for (char16_t& c : text) {
        const std::uint8_t low = ReadByte();
        c = static_cast<char16_t>(low | (ReadByte() << 8));
    }
    return text;
}

void CExtRichDocMemoryArchive::WriteClassName(const std::string& name) {
    WriteInt32(static_cast<std::int32_t>(name.size()));
    m_bytes.insert(m_bytes.end(), name.begin(), name.end());
}

std::string CExtRichDocMemoryArchive::ReadClassName() {
    const std::int32_t length = ReadInt32();
    if (length < 0 || static_cast<std::size_t>(length) > m_bytes.size() - m_nRead)
        throw RichDocArchiveError("bad class name length");
    std::string name(m_bytes.begin() + static_cast<std::ptrdiff_t>(m_nRead),
                     m_bytes.begin() + static_cast<std::ptrdiff_t>(m_nRead) + length);
    m_nRead += static_cast<std::size_t>(length);
    return name;
}

// ---- objects ----

void SerializeDocObject(CExtRichDocArchive& archive, CExtRichDocObjectBase*& object) {
    DepthGuard depth;
    if (!archive.IsLoading()) {
        if (!object) throw RichDocArchiveError("no object to store");
        archive.WriteClassName(object->GetArchiveClassName());
        object->Serialize(archive);
        return;
    }
    object = nullptr;
    std::unique_ptr<CExtRichDocObjectBase> made(CreateByClassName(archive.ReadClassName()));
    if (!made) throw RichDocArchiveError("not a document object class");
    made->Serialize(archive);
    object = made.release();
}

void CExtRichDocObjectBase::Serialize(CExtRichDocArchive& archive) {
    if (archive.IsLoading()) {
        RemoveAll();
        m_strName = NormalizeName(archive.ReadString());
        const std::int32_t flag = archive.ReadInt32();
        if (!(flag & 1)) return;
        const std::int32_t count = archive.ReadInt32();
        if (count < 0) throw RichDocArchiveError("bad object count");
        for (std::int32_t i = 0; i < count; ++i) {
            CExtRichDocObjectBase* object = nullptr;
            SerializeDocObject(archive, object);
            Add(object, false);  // a refused object is deleted
        }
        return;
    }
    archive.WriteString(m_strName);
    const bool objects = IsContainer() && GetCount() > 0;
    archive.WriteInt32(objects ? 1 : 0);
    if (!objects) return;
    archive.WriteInt32(static_cast<std::int32_t>(GetCount()));
    for (RichPosition pos = GetStartPosition(); pos;) {
        CExtRichDocObjectBase* object = GetNext(pos);
        SerializeDocObject(archive, object);
    }
}

void CExtRichDocObjectImage::Serialize(CExtRichDocArchive& archive) {
    CExtRichDocObjectBase::Serialize(archive);
    RichBitmap& bitmap = GetBitmap();
    if (!archive.IsLoading()) {
        const RichSize size = bitmap.GetPixelSize();
        archive.WriteInt32(size.cx);
        archive.WriteInt32(size.cy);
        for (std::uint32_t pixel : bitmap.Pixels()) archive.WriteInt32(static_cast<std::int32_t>(pixel));
        return;
    }
    const std::int32_t cx = archive.ReadInt32(), cy = archive.ReadInt32();
    bitmap.Empty();
    if (cx == 0 && cy == 0) return;
    if (!bitmap.Create(cx, cy)) throw RichDocArchiveError("bad image size");
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x) bitmap.SetPixel(x, y, static_cast<std::uint32_t>(archive.ReadInt32()));
}

void CExtRichDocObjectLayoutKeeper::Serialize(CExtRichDocArchive& archive) {
    if (archive.IsLoading()) {
        m_layout.Clear(true);
        m_strText.clear();
        CExtRichDocObjectBase::Serialize(archive);
        const RichString text = archive.ReadString();
        const std::int32_t kind = archive.ReadInt32();
        Parse(text, kind, 0, 0, true);
        return;
    }
    CExtRichDocObjectBase::Serialize(archive);
    archive.WriteString(m_strText);
    archive.WriteInt32(m_layout.m_nDocKind);
}

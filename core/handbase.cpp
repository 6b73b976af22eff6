#include "core/handbase.h"

#include <algorithm>
#include <fstream>
#include <new>
#include <vector>

namespace {

TableFileReport ReadWholeFile(const std::filesystem::path& path, std::size_t expected,
                              std::vector<std::uint8_t>& bytes)
{
    TableFileReport report;
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open()) {
        report.status = TableFileStatus::Missing;
        return report;
    }
    // One byte more than needed tells a long file from a fitting one.
    bytes.assign(expected + 1, 0);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (in.bad()) {
        report.status = TableFileStatus::Unreadable;
        return report;
    }
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    if (bytes.size() != expected) {
        report.status = TableFileStatus::WrongSize;
        std::error_code error;
        const auto size = std::filesystem::file_size(path, error);
        report.size = error ? bytes.size() : static_cast<std::size_t>(size);
        return report;
    }
    report.status = TableFileStatus::Loaded;
    return report;
}

bool WriteWholeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out.is_open())
        return false;
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
}

std::wstring Widen(const std::string& text)
{
    return std::wstring(text.begin(), text.end());
}

std::wstring Quoted(const char* name)
{
    return L"\"" + Widen(name) + L"\"";
}

std::wstring FileProblem(const char* name, const TableFileReport& report, std::size_t expected)
{
    const std::wstring file = L"The table file " + Quoted(name);
    switch (report.status) {
    case TableFileStatus::Unreadable:
        return file + L" could not be read.";
    case TableFileStatus::WrongSize:
        return file + L" has " + std::to_wstring(report.size) + L" bytes instead of " +
               std::to_wstring(expected) + L"; it is damaged or does not belong to this program.";
    case TableFileStatus::BadRecord:
        return file + L" is damaged: record " + std::to_wstring(report.record) + L": " +
               Widen(report.reason) + L".";
    case TableFileStatus::NoMemory:
        return L"There is not enough memory for the table of " + Quoted(name) + L".";
    default:
        return {};
    }
}

bool IsError(TableFileStatus status)
{
    return status != TableFileStatus::Loaded && status != TableFileStatus::Missing;
}

}  // namespace

bool TableLoadResult::Loaded() const
{
    return classFile.status == TableFileStatus::Loaded && handFile.status == TableFileStatus::Loaded &&
           agreement.status == TableFileStatus::Loaded;
}

bool TableLoadResult::HasError() const
{
    return IsError(classFile.status) || IsError(handFile.status) || IsError(agreement.status);
}

std::wstring TableLoadResult::Message() const
{
    std::wstring text;
    auto add = [&text](const std::wstring& line) {
        if (line.empty())
            return;
        if (!text.empty())
            text += L"\n";
        text += line;
    };
    add(FileProblem(kClassFileName, classFile, kClassFileSize));
    add(FileProblem(kHandFileName, handFile, kHandFileSize));
    if (agreement.status == TableFileStatus::Mismatch)
        add(L"The table files " + Quoted(kClassFileName) + L" and " + Quoted(kHandFileName) +
            L" do not belong together: " + Widen(agreement.reason) + L".");
    if (!text.empty())
        text += L"\nThe starting-hand tables are incomplete; reinstall the program to repair them.";
    return text;
}

COmahaBase::~COmahaBase() = default;

void COmahaBase::ResetClassTable()
{
    std::fill(m_classes.get(), m_classes.get() + kClassCount, HandClassRecord{});
    m_classCount = 0;
}

void COmahaBase::ResetHandTable()
{
    std::fill(m_hands.get(), m_hands.get() + kHandCount, HandRecord{});
}

TableLoadResult COmahaBase::LoadTables()
{
    return LoadTables(std::filesystem::path(kClassFileName), std::filesystem::path(kHandFileName));
}

TableLoadResult COmahaBase::LoadTables(const std::filesystem::path& folder)
{
    return LoadTables(folder / kClassFileName, folder / kHandFileName);
}

TableLoadResult COmahaBase::LoadTables(const std::filesystem::path& classFile,
                                       const std::filesystem::path& handFile)
{
    TableLoadResult result;
    std::vector<std::uint8_t> bytes;

    m_classCount = 0;
    m_classes.reset(new (std::nothrow) HandClassRecord[kClassCount]);
    if (!m_classes) {
        result.classFile.status = TableFileStatus::NoMemory;
    } else {
        result.classFile = ReadWholeFile(classFile, kClassFileSize, bytes);
        if (result.classFile.status == TableFileStatus::Loaded)
            result.classFile = ReadClassTable(bytes, m_classes.get());
        if (result.classFile.status == TableFileStatus::Loaded)
            m_classCount = kClassCount;
        else
            ResetClassTable();
    }

    m_hands.reset(new (std::nothrow) HandRecord[kHandCount]());
    if (!m_hands) {
        result.handFile.status = TableFileStatus::NoMemory;
    } else {
        result.handFile = ReadWholeFile(handFile, kHandFileSize, bytes);
        if (result.handFile.status == TableFileStatus::Loaded)
            result.handFile = ReadHandTable(bytes, m_hands.get());
        if (result.handFile.status != TableFileStatus::Loaded)
            ResetHandTable();
    }

    if (m_classes && m_hands) {
        ComputeHandRanges(m_classes.get(), m_hands.get());
        if (result.classFile.status == TableFileStatus::Loaded &&
            result.handFile.status == TableFileStatus::Loaded) {
            result.agreement = CheckTablesAgree(m_classes.get(), m_hands.get());
            if (result.agreement.status != TableFileStatus::Loaded) {
                // Neither table can be trusted when they disagree.
                ResetClassTable();
                ResetHandTable();
                ComputeHandRanges(m_classes.get(), m_hands.get());
            }
        }
    }
    return result;
}

TableWriteResult COmahaBase::WriteTables(const std::filesystem::path& classFile,
                                         const std::filesystem::path& handFile) const
{
    TableWriteResult result;
    if (!m_classes || !m_hands) {
        result.message = L"The starting-hand tables are not loaded.";
        return result;
    }
    std::vector<std::uint8_t> classBytes, handBytes;
    TableFileReport failure;
    if (!EncodeClassTable(m_classes.get(), m_classCount, classBytes, &failure)) {
        result.message = L"Class " + std::to_wstring(failure.record) + L" cannot be written: " +
                         Widen(failure.reason) + L".";
        return result;
    }
    if (!EncodeHandTable(m_hands.get(), kHandCount, handBytes, &failure)) {
        result.message = L"Hand " + std::to_wstring(failure.record) + L" cannot be written: " +
                         Widen(failure.reason) + L".";
        return result;
    }
    if (!WriteWholeFile(classFile, classBytes)) {
        result.message = L"The file " + classFile.filename().wstring() + L" could not be written.";
        return result;
    }
    if (!WriteWholeFile(handFile, handBytes)) {
        result.message = L"The file " + handFile.filename().wstring() + L" could not be written.";
        return result;
    }
    result.ok = true;
    return result;
}

void COmahaBase::SelectPercentile(double lowPercent, double highPercent, int order, bool useHiLo)
{
    // Written so that NaN bounds count as out of range too.
    const bool boundsOk = lowPercent >= 0 && lowPercent <= 100 && highPercent >= 0 && highPercent <= 100;
    if (!boundsOk || order < 0 || order > 9)
        return;
    const int row = order == 0 ? kOutsideRankingRow : order - 1;
    const int column = useHiLo ? kStatPosHiLo : kStatPos;

    std::fill(std::begin(m_classFlags.m_flags), std::end(m_classFlags.m_flags), 0);
    if (!m_classes)
        return;
    const double lo = lowPercent * kClassCount / 100;
    const double hi = highPercent * kClassCount / 100;
    if (!(hi > lo))
        return;
    for (int k = 0; k < kClassCount; ++k) {
        const double position = m_classes[k].stats[column][row];
        if (lo <= position && position <= hi)
            m_classFlags.m_flags[k] = 1;
    }
    for (int k = 0; k < kClassCount; ++k) {
        if (!m_classFlags.m_flags[k])
            continue;
        const int first = std::max(0, m_classes[k].firstHand);
        const int end = std::min(kHandCount, m_classes[k].endHand);
        for (int i = first; i < end; ++i)
            m_selection.SetBit(i);
    }
}

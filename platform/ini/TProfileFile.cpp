#include "platform/ini/TProfileFile.h"


namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool HasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

} // namespace

bool TProfileFile::IsWritableSection(std::string_view section)
{
    return !HasLineBreak(section) && section.find(']') == std::string_view::npos;
}

bool TProfileFile::IsWritableKey(std::string_view key)
{
    key = Trim(key);
    return !key.empty() && key.front() != ';' && key.front() != '[' && !HasLineBreak(key) &&
           key.find('=') == std::string_view::npos;
}

bool TProfileFile::IsWritableValue(std::string_view value) { return !HasLineBreak(value); }

TProfileFile::TProfileFile(std::string text) : FText(std::move(text)) { Parse(); }

void TProfileFile::Parse()
{
    FLines.clear();
    FSections.clear();
    const size_t n = FText.size();
    // An editor may put a UTF-8 byte-order mark in front; it belongs to no line and is kept as is.
    size_t pos = std::string_view(FText).starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
    while (pos < n) {
        size_t end = FText.find_first_of("\r\n", pos);
        if (end == std::string::npos)
            end = n;
        size_t next = end;
        if (next < n)
            next += (FText[next] == '\r' && next + 1 < n && FText[next + 1] == '\n') ? 2 : 1;
        FLines.push_back(ParseLine(pos, end, next));
        if (FLines.back().kind == TKind::Header) {
            if (!FSections.empty())
                FSections.back().end = FLines.size() - 1;
            FSections.push_back({FLines.size() - 1, 0});
        }
        pos = next;
    }
    if (!FSections.empty())
        FSections.back().end = FLines.size();
}

TProfileFile::TLine TProfileFile::ParseLine(size_t begin, size_t end, size_t next) const
{
    TLine line{begin, end, next, TKind::Blank, 0, 0, 0, 0, 0};
    const std::string_view all(FText);
    const std::string_view text = Trim(all.substr(begin, end - begin));
    if (text.empty())
        return line;
    const size_t first = size_t(text.data() - FText.data());
    // A NUL byte ends a name or a value, as it ends the C string that a caller gets.
    auto cut = [&](std::string_view part) {
        part = Trim(part.substr(0, part.find('\0')));
        return std::pair{size_t(part.data() - FText.data()), part.size()};
    };
    auto setName = [&](std::string_view part) {
        auto [at, size] = cut(part);
        line.nameBegin = at;
        line.nameEnd = at + size;
    };
    if (text.front() == ';') {
        line.kind = TKind::Comment;
    } else if (size_t close = text.find(']'); text.front() == '[' && close != std::string_view::npos) {
        // The name ends at the first ']'; whatever follows on the line is ignored.
        line.kind = TKind::Header;
        setName(text.substr(1, close - 1));
    } else if (size_t eq = text.find('='); eq != std::string_view::npos) {
        setName(text.substr(0, eq));
        line.kind = line.nameBegin == line.nameEnd ? TKind::Other : TKind::Key;
        // An empty value begins after all the blanks that follow the '=', so that writing an
        // empty value again changes nothing.
        line.afterEquals = first + eq + 1;
        size_t from = line.afterEquals;
        while (from < end && IsBlank(FText[from]))
            ++from;
        const size_t textEnd = first + text.size();
        auto [at, size] = cut(all.substr(from, from < textEnd ? textEnd - from : 0));
        line.valueBegin = at;
        line.valueEnd = at + size;
    } else {
        line.kind = TKind::Other;
        setName(text);
    }
    return line;
}

std::string_view TProfileFile::Name(const TLine& line) const
{
    return std::string_view(FText).substr(line.nameBegin, line.nameEnd - line.nameBegin);
}

std::string_view TProfileFile::ValueOf(const TLine& line) const
{
    return std::string_view(FText).substr(line.valueBegin, line.valueEnd - line.valueBegin);
}

const TProfileFile::TSection* TProfileFile::FindSection(std::string_view name) const
{
    name = Trim(name);
    for (const TSection& s : FSections)
        if (SameName(Name(FLines[s.header]), name))
            return &s;
    return nullptr;
}

const TProfileFile::TLine* TProfileFile::FindKey(const TSection& section, std::string_view key) const
{
    key = Trim(key);
    for (size_t i = section.header + 1; i < section.end; ++i)
        if (FLines[i].kind == TKind::Key && SameName(Name(FLines[i]), key))
            return &FLines[i];
    return nullptr;
}

std::optional<std::string_view> TProfileFile::Value(std::string_view section, std::string_view key) const
{
    const TSection* s = FindSection(section);
    const TLine* line = s ? FindKey(*s, key) : nullptr;
    if (!line)
        return std::nullopt;
    return ValueOf(*line);
}

std::vector<std::string_view> TProfileFile::KeyNames(std::string_view section) const
{
    std::vector<std::string_view> names;
    if (const TSection* s = FindSection(section))
        for (size_t i = s->header + 1; i < s->end; ++i)
            if (FLines[i].kind == TKind::Key)
                names.push_back(Name(FLines[i]));
    return names;
}

std::vector<std::string> TProfileFile::Entries(std::string_view section) const
{
    std::vector<std::string> entries;
    if (const TSection* s = FindSection(section))
        for (size_t i = s->header + 1; i < s->end; ++i) {
            const TLine& line = FLines[i];
            if (line.kind == TKind::Key)
                entries.push_back(std::string(Name(line)) + "=" + std::string(ValueOf(line)));
            else if (line.kind == TKind::Other && line.nameBegin != line.nameEnd)
                entries.emplace_back(Name(line));
        }
    return entries;
}

std::vector<std::string_view> TProfileFile::SectionNames() const
{
    std::vector<std::string_view> names;
    for (const TSection& s : FSections)
        if (std::string_view name = Name(FLines[s.header]); !name.empty())
            names.push_back(name);
    return names;
}

bool TProfileFile::SetValue(std::string_view section, std::string_view key, std::string_view value)
{
    section = Trim(section);
    key = Trim(key);
    const TSection* s = FindSection(section);
    if (!s) {
        if (!FText.empty() && FText.back() != '\n' && FText.back() != '\r')
            FText += kLineEnd;
        FText.append("[").append(section).append("]").append(kLineEnd);
        FText.append(key).append("=").append(value).append(kLineEnd);
    } else if (const TLine* line = FindKey(*s, key)) {
        // The new value takes the place of the old one and of whatever followed it on the line.
        // The blanks before the old value stay, unless the new value brings blanks of its own;
        // so writing the same value again changes nothing.
        const size_t from = !value.empty() && IsBlank(value.front()) ? line->afterEquals : line->valueBegin;
        if (std::string_view(FText).substr(from, line->end - from) == value)
            return false;
        FText.replace(from, line->end - from, value);
    } else {
        size_t last = s->header;
        for (size_t i = s->header + 1; i < s->end; ++i)
            if (FLines[i].kind == TKind::Key)
                last = i;
        const TLine& after = FLines[last];
        std::string added = after.next == after.end ? std::string(kLineEnd) : std::string();
        added.append(key).append("=").append(value).append(kLineEnd);
        FText.insert(after.next, added);
    }
    Parse();
    return true;
}

bool TProfileFile::DeleteKey(std::string_view section, std::string_view key)
{
    const TSection* s = FindSection(section);
    if (!s)
        return false;
    key = Trim(key);
    bool changed = false;
    // From the back, so that the offsets of the lines still to go stay valid.
    for (size_t i = s->end; i-- > s->header + 1;) {
        const TLine& line = FLines[i];
        if (line.kind == TKind::Key && SameName(Name(line), key)) {
            FText.erase(line.begin, line.next - line.begin);
            changed = true;
        }
    }
    if (changed)
        Parse();
    return changed;
}

bool TProfileFile::DeleteSection(std::string_view section)
{
    section = Trim(section);
    bool changed = false;
    for (size_t i = FSections.size(); i-- > 0;) {
        const TSection& s = FSections[i];
        if (!SameName(Name(FLines[s.header]), section))
            continue;
        const size_t from = FLines[s.header].begin;
        const size_t to = s.end < FLines.size() ? FLines[s.end].begin : FText.size();
        FText.erase(from, to - from);
        changed = true;
    }
    if (changed)
        Parse();
    return changed;
}

#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The text of a profile file split into lines, read and edited the way the Windows profile functions
// do. An edit changes only the bytes it must, so comments, blank lines, the order of lines, the line
// ends and the spelling of existing names all survive a save.
//
// Names (of sections and keys) compare case-insensitively in ASCII, after the caller's blanks are
// trimmed. Only the first section of a name counts, and in it only the first key of a name.
class TProfileFile {
public:
    explicit TProfileFile(std::string text = {});

    const std::string& Text() const { return FText; }

    // The value of the key, blanks trimmed, quotes kept; nothing when the section or key is absent.
    std::optional<std::string_view> Value(std::string_view section, std::string_view key) const;
    // The names of the section's keys in file order; empty when the section is absent.
    std::vector<std::string_view> KeyNames(std::string_view section) const;
    // The section's lines other than blanks and comments: "name=value" for keys, the bare text else.
    std::vector<std::string> Entries(std::string_view section) const;
    // The names of all section headers in file order, repeated names included, empty names left out.
    std::vector<std::string_view> SectionNames() const;

    // Each edit returns whether the text changed.
    // Replaces the key's value in place, or adds the key after the section's last key line, or
    // adds the section at the end of the text.
    bool SetValue(std::string_view section, std::string_view key, std::string_view value);
    // Removes every line of that key from the first section of that name.
    bool DeleteKey(std::string_view section, std::string_view key);
    // Removes every section of that name, header and lines.
    bool DeleteSection(std::string_view section);

    // A name or value that the file could not hold as given: the line written for it would read
    // back as something else (another key, a comment, a header, or a cut value).
    static bool IsWritableSection(std::string_view section);
    static bool IsWritableKey(std::string_view key);
    static bool IsWritableValue(std::string_view value);

    // Besides the usual blanks, Ctrl-Z counts: files that passed through DOS tools end in one.
    static bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1A'; }
    static std::string_view Trim(std::string_view s)
    {
        while (!s.empty() && IsBlank(s.front()))
            s.remove_prefix(1);
        while (!s.empty() && IsBlank(s.back()))
            s.remove_suffix(1);
        return s;
    }
    // Names compare without regard to ASCII case; the names in these files are ASCII.
    static bool SameName(std::string_view a, std::string_view b)
    {
        if (a.size() != b.size())
            return false;
        for (size_t i = 0; i < a.size(); ++i)
            if (a[i] != b[i] && Lower(a[i]) != Lower(b[i]))
                return false;
        return true;
    }

private:
    static char Lower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

    enum class TKind { Blank, Comment, Header, Key, Other };
    // Offsets into FText. [begin, end) is the line without its line end, next the start of the
    // following line. For headers the name, for keys the name, the value and what follows the
    // '=', for other lines the trimmed text as the name.
    struct TLine {
        size_t begin, end, next;
        TKind kind;
        size_t nameBegin, nameEnd, valueBegin, valueEnd, afterEquals;
    };
    // A header line and the lines up to the next header: lines (header, end).
    struct TSection {
        size_t header, end;
    };

    void Parse();
    TLine ParseLine(size_t begin, size_t end, size_t next) const;
    std::string_view Name(const TLine& line) const;
    std::string_view ValueOf(const TLine& line) const;
    const TSection* FindSection(std::string_view name) const;
    const TLine* FindKey(const TSection& section, std::string_view key) const;

    std::string FText;
    std::vector<TLine> FLines;
    std::vector<TSection> FSections;
};

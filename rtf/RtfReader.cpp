#include "RtfReader.h"

#include <algorithm>
#include <array>

namespace tellumo {

namespace {

// Parameters beyond this magnitude are clamped while their digits are read,
// so that any number of digits neither overflows nor changes the meaning of
// a parameter that is already out of every useful range.
constexpr std::int64_t kParamLimit = 1'000'000'000;
// Control words are at most this long in RTF; longer ones are unknown.
constexpr std::size_t kMaxWordLength = 32;

constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD

// Groups whose content is not text to show. Only their structure is
// followed, so that the group ends where it should.
constexpr std::array<std::string_view, 30> kSkippedDestinations = {
    "annotation", "atnauthor",    "atnid",      "author",     "buptim",
    "comment",    "creatim",      "doccomm",    "fldinst",    "filetbl",
    "fonttbl",    "footer",       "footerf",    "footerl",    "footerr",
    "footnote",   "header",       "headerf",    "headerl",    "headerr",
    "info",       "keywords",     "listtable",  "object",     "operator",
    "pict",       "revtbl",       "rsidtbl",    "stylesheet", "subject",
};

enum class Destination : std::uint8_t { Text, ColourTable, Skip };

struct GroupState {
    Destination destination = Destination::Text;
    std::int64_t colourIndex = 0;
    int halfPoints = 0;
    bool bold = false;
};

struct ColourEntry {
    RtfColour colour;
    bool given = false; // an entry without components is the default colour
};

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
char toLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

int hexValue(char c)
{
    if (isDigit(c))
        return c - '0';
    const char lower = toLower(c);
    if (lower >= 'a' && lower <= 'f')
        return lower - 'a' + 10;
    return -1;
}

std::uint8_t clampComponent(std::int64_t value)
{
    return static_cast<std::uint8_t>(std::clamp<std::int64_t>(value, 0, 255));
}

struct Utf8Sequence {
    std::size_t length; // bytes consumed
    bool valid;         // false: a maximal ill-formed subsequence
};

// Measures the UTF-8 sequence that starts at text[pos], a byte >= 0x80.
Utf8Sequence measureUtf8(std::string_view text, std::size_t pos)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    std::size_t continuations = 0;
    unsigned char low = 0x80; // allowed range of the first continuation byte
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        continuations = 1;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        continuations = 2;
        if (lead == 0xE0)
            low = 0xA0; // no overlong forms
        else if (lead == 0xED)
            high = 0x9F; // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        continuations = 3;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F; // nothing above U+10FFFF
    } else {
        return {1, false};
    }
    std::size_t length = 1;
    for (std::size_t i = 0; i < continuations; ++i, ++length) {
        const std::size_t at = pos + length;
        if (at >= text.size())
            return {length, false};
        const unsigned char c = byte(at);
        if (c < low || c > high)
            return {length, false};
        low = 0x80;
        high = 0xBF;
    }
    return {length, true};
}

class Reader {
public:
    explicit Reader(std::string_view document) : in_(document) { stack_.emplace_back(); }

    std::vector<RtfRun> read()
    {
        while (pos_ < in_.size()) {
            const char c = in_[pos_];
            if (c == '{') {
                ++pos_;
                openGroup();
            } else if (c == '}') {
                ++pos_;
                closeGroup();
            } else if (c == '\\') {
                ++pos_;
                readControl();
            } else {
                readText();
            }
        }
        return std::move(runs_);
    }

private:
    GroupState& state() { return stack_.back(); }
    bool insideGroup() const { return stack_.size() > 1 || overflow_ > 0; }

    void openGroup()
    {
        if (stack_.size() <= RtfMaxGroupDepth)
            stack_.push_back(stack_.back());
        else
            ++overflow_;
    }

    void closeGroup()
    {
        if (overflow_ > 0) {
            --overflow_;
            return;
        }
        if (stack_.size() <= 1)
            return; // a "}" without its "{"
        const bool leavesTable = state().destination == Destination::ColourTable
            && stack_[stack_.size() - 2].destination != Destination::ColourTable;
        if (leavesTable && pendingGiven_)
            commitColour(); // a last entry without its ";"
        stack_.pop_back();
    }

    void readControl()
    {
        if (pos_ >= in_.size())
            return; // a lone backslash at the end
        if (isLetter(in_[pos_]))
            readControlWord();
        else
            readControlSymbol();
    }

    void readControlWord()
    {
        std::array<char, kMaxWordLength> word{};
        std::size_t length = 0;
        bool tooLong = false;
        while (pos_ < in_.size() && isLetter(in_[pos_])) {
            if (length < word.size())
                word[length++] = toLower(in_[pos_]);
            else
                tooLong = true;
            ++pos_;
        }

        bool hasParam = false;
        bool negative = false;
        std::int64_t param = 0;
        if (pos_ + 1 < in_.size() && in_[pos_] == '-' && isDigit(in_[pos_ + 1])) {
            negative = true;
            ++pos_;
        }
        while (pos_ < in_.size() && isDigit(in_[pos_])) {
            hasParam = true;
            param = std::min(param * 10 + (in_[pos_] - '0'), kParamLimit);
            ++pos_;
        }
        if (negative)
            param = -param;
        if (pos_ < in_.size() && in_[pos_] == ' ')
            ++pos_; // the delimiter belongs to the word

        if (!tooLong)
            applyWord(std::string_view(word.data(), length), hasParam, param);
    }

    void applyWord(std::string_view word, bool hasParam, std::int64_t param)
    {
        if (word == "bin") {
            // Raw data follows; it is never text, whatever its bytes are.
            if (hasParam && param > 0)
                pos_ += std::min<std::size_t>(static_cast<std::size_t>(param), in_.size() - pos_);
            return;
        }

        GroupState& s = state();
        if (s.destination == Destination::Skip)
            return;

        if (s.destination == Destination::ColourTable) {
            if (word == "red" || word == "green" || word == "blue") {
                const std::uint8_t value = clampComponent(hasParam ? param : 0);
                if (word == "red")
                    pending_.red = value;
                else if (word == "green")
                    pending_.green = value;
                else
                    pending_.blue = value;
                pendingGiven_ = true;
            }
            return;
        }

        if (word == "par") {
            emit("\n");
        } else if (word == "b") {
            s.bold = !hasParam || param != 0;
        } else if (word == "cf") {
            s.colourIndex = hasParam ? param : 0;
        } else if (word == "fs") {
            s.halfPoints = hasParam ? static_cast<int>(std::clamp<std::int64_t>(
                                          param, 0, RtfMaxHalfPoints))
                                    : 0;
        } else if (word == "plain") {
            s.bold = false;
            s.halfPoints = 0;
            s.colourIndex = 0;
        } else if (word == "colortbl") {
            if (insideGroup()) {
                s.destination = Destination::ColourTable;
                colours_.clear();
                pending_ = {};
                pendingGiven_ = false;
            }
        } else if (insideGroup()
                   && std::find(kSkippedDestinations.begin(), kSkippedDestinations.end(), word)
                       != kSkippedDestinations.end()) {
            s.destination = Destination::Skip;
        }
    }

    void readControlSymbol()
    {
        const char c = in_[pos_];
        if (static_cast<unsigned char>(c) >= 0x80) {
            // A symbol that is not ASCII: step over the whole character.
            pos_ += measureUtf8(in_, pos_).length;
            return;
        }
        ++pos_;
        switch (c) {
        case '\\':
        case '{':
        case '}':
            if (state().destination == Destination::Text)
                emit(std::string_view(&in_[pos_ - 1], 1));
            break;
        case '\'':
            readHexEscape();
            break;
        case '*':
            if (insideGroup())
                state().destination = Destination::Skip;
            break;
        case '\r':
        case '\n':
            // A backslash before a line break is a paragraph break.
            if (state().destination == Destination::Text)
                emit("\n");
            break;
        default:
            break; // other symbols (\~ \- \_ \: \| ...) show nothing here
        }
    }

    void readHexEscape()
    {
        int value = 0;
        int digits = 0;
        while (digits < 2 && pos_ < in_.size()) {
            const int h = hexValue(in_[pos_]);
            if (h < 0)
                break;
            value = value * 16 + h;
            ++digits;
            ++pos_;
        }
        if (digits < 2 || state().destination != Destination::Text)
            return;
        // Only printable ASCII and TAB are the same in every code page.
        if ((value >= 0x20 && value < 0x7F) || value == '\t') {
            const char ch = static_cast<char>(value);
            emit(std::string_view(&ch, 1));
        }
    }

    void readText()
    {
        const Destination destination = state().destination;
        const unsigned char c = static_cast<unsigned char>(in_[pos_]);

        if (c >= 0x80) {
            const Utf8Sequence seq = measureUtf8(in_, pos_);
            if (destination == Destination::Text)
                emit(seq.valid ? in_.substr(pos_, seq.length) : kReplacement);
            pos_ += seq.length;
            return;
        }

        if (destination == Destination::ColourTable) {
            if (c == ';')
                commitColour();
            ++pos_;
            return;
        }
        if (destination == Destination::Skip || (c < 0x20 && c != '\t') || c == 0x7F) {
            ++pos_;
            return;
        }

        // A stretch of plain printable ASCII goes out in one piece.
        const std::size_t start = pos_;
        while (pos_ < in_.size()) {
            const unsigned char d = static_cast<unsigned char>(in_[pos_]);
            if (d == '{' || d == '}' || d == '\\' || d >= 0x7F || (d < 0x20 && d != '\t'))
                break;
            ++pos_;
        }
        emit(in_.substr(start, pos_ - start));
    }

    void commitColour()
    {
        colours_.push_back({pending_, pendingGiven_});
        pending_ = {};
        pendingGiven_ = false;
    }

    std::optional<RtfColour> currentColour() const
    {
        const std::int64_t index = stack_.back().colourIndex;
        if (index <= 0 || static_cast<std::uint64_t>(index) >= colours_.size())
            return std::nullopt;
        const ColourEntry& entry = colours_[static_cast<std::size_t>(index)];
        if (!entry.given)
            return std::nullopt;
        return entry.colour;
    }

    void emit(std::string_view text)
    {
        if (text.empty())
            return;
        const GroupState& s = stack_.back();
        const std::optional<RtfColour> colour = currentColour();
        if (!runs_.empty()) {
            RtfRun& last = runs_.back();
            if (last.colour == colour && last.halfPoints == s.halfPoints && last.bold == s.bold) {
                last.text += text;
                return;
            }
        }
        RtfRun run;
        run.text = std::string(text);
        run.colour = colour;
        run.halfPoints = s.halfPoints;
        run.bold = s.bold;
        runs_.push_back(std::move(run));
    }

    std::string_view in_;
    std::size_t pos_ = 0;
    std::vector<GroupState> stack_;      // [0] is the state outside every group
    std::size_t overflow_ = 0;           // groups open beyond RtfMaxGroupDepth
    std::vector<ColourEntry> colours_;
    RtfColour pending_;
    bool pendingGiven_ = false;
    std::vector<RtfRun> runs_;
};

} // namespace

std::vector<RtfRun> ReadRtf(std::string_view document)
{
    return Reader(document).read();
}

} // namespace tellumo

#include "Preprocessor.h"

#include <algorithm>
#include <cctype>
#include <string_view>
#include <utility>

namespace tavo {

namespace {

// The environment saves a model as its text followed by one zero byte: a text ends at its
// first zero byte.
std::string_view EndAtZero(const std::string &text)
{
    return std::string_view(text.data(), std::min(text.find('\0'), text.size()));
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\f' || c == '\v'; }

// Tracks whether a line ends inside a block comment, with the lexer's rules: strings and
// line comments hide comment openers.
void TrackComment(std::string_view line, bool &inComment)
{
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (inComment) {
            if (line[i] == '*' && i + 1 < line.size() && line[i + 1] == '/') {
                inComment = false;
                ++i;
            }
        } else if (line[i] == '"') {
            for (++i; i < line.size() && line[i] != '"'; ++i)
                if (line[i] == '\\')
                    ++i;
        } else if (line[i] == '/' && i + 1 < line.size()) {
            if (line[i + 1] == '/')
                return;
            if (line[i + 1] == '*') {
                inComment = true;
                ++i;
            }
        }
    }
}

// The directory part of a path including its final '/', or "" for a bare name.
std::string DirectoryOf(const std::string &path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

class Expander {
public:
    Expander(Preprocessed &out, const SourceReader &reader, std::size_t maxBytes)
        : out_(out), reader_(reader), maxBytes_(maxBytes)
    {
    }

    // Expands one file; false stops the whole expansion (out_.error or out_.fatal is set).
    bool ExpandFile(uint32_t fileIndex, std::string_view text)
    {
        bool inComment = false;
        Loc commentStart;
        uint32_t lineNo = 0;
        std::size_t pos = 0;
        while (pos < text.size()) {
            std::size_t end = text.find('\n', pos);
            if (end == std::string::npos)
                end = text.size();
            std::string_view line(text.data() + pos, end - pos);
            if (!line.empty() && line.back() == '\r')
                line.remove_suffix(1);
            pos = end + 1;
            const Loc loc{fileIndex, ++lineNo};

            std::size_t i = 0;
            while (i < line.size() && IsBlank(line[i]))
                ++i;
            if (!inComment && i < line.size() && line[i] == '#') {
                if (!Directive(line.substr(i + 1), loc))
                    return false;
                continue;
            }
            const bool wasInComment = inComment;
            TrackComment(line, inComment);
            if (inComment && !wasInComment)
                commentStart = loc;
            if (!Emit(line, loc))
                return false;
        }
        if (inComment)
            return Fail(commentStart, "syntax error: comment not closed: the file ends inside /* ... */");
        return true;
    }

    std::vector<FileId> stack;

private:
    bool Fail(Loc loc, std::string message)
    {
        out_.error = Error{loc, std::move(message)};
        return false;
    }

    bool Emit(std::string_view line, Loc loc)
    {
        bytes_ += line.size() + 2;
        if (bytes_ > maxBytes_)
            return Fail(loc, "preprocessor error: the preprocessed model exceeds " + SizeText(maxBytes_));
        if (out_.runs.empty() || !(loc == next_))
            out_.runs.push_back({out_.text.size(), loc});
        out_.text.append(line);
        out_.text += '\n';
        next_ = {loc.file, loc.line + 1};
        return true;
    }

    // `rest` is the directive after its '#'.
    bool Directive(std::string_view rest, Loc loc)
    {
        std::size_t i = 0;
        while (i < rest.size() && IsBlank(rest[i]))
            ++i;
        std::size_t wordEnd = i;
        while (wordEnd < rest.size() && (std::isalnum(static_cast<unsigned char>(rest[wordEnd])) || rest[wordEnd] == '_'))
            ++wordEnd;
        const std::string_view word = rest.substr(i, wordEnd - i);
        if (word != "include")
            return Fail(loc, "preprocessor error: unknown directive '#" + std::string(word) + "'");
        i = wordEnd;
        while (i < rest.size() && IsBlank(rest[i]))
            ++i;
        if (i >= rest.size() || rest[i] != '"')
            return Fail(loc, "preprocessor error: #include expects a file name in double quotes");
        const std::size_t close = rest.find('"', i + 1);
        if (close == std::string_view::npos)
            return Fail(loc, "preprocessor error: the file name of #include has no closing '\"'");
        const std::string name(rest.substr(i + 1, close - i - 1));
        std::size_t after = close + 1;
        while (after < rest.size() && IsBlank(rest[after]))
            ++after;
        if (after < rest.size() && rest.substr(after, 2) != "//")
            return Fail(loc, "preprocessor error: unexpected text after #include \"" + name + "\"");
        if (name.empty())
            return Fail(loc, "preprocessor error: #include names no file");
        return Include(name, loc);
    }

    bool Include(const std::string &name, Loc loc)
    {
        // The stack holds the model and every include open now: this include is level stack.size().
        if (stack.size() > static_cast<std::size_t>(kMaxIncludeDepth))
            return Fail(loc, "preprocessor error: includes are nested more than " +
                                 std::to_string(kMaxIncludeDepth) + " deep");
        const std::string path = name.front() == '/' ? name : DirectoryOf(out_.files[loc.file]) + name;
        std::string text, why;
        FileId id{};
        if (!reader_.Read(path, maxBytes_, text, id, why))
            return Fail(loc, "preprocessor error: cannot open include file \"" + path + "\": " + why);
        for (const FileId &open : stack)
            if (open == id)
                return Fail(loc, "preprocessor error: \"" + path + "\" includes itself");
        const std::string marker = "// #include \"" + name + "\"";
        if (!Emit(marker + " begins", loc))
            return false;
        out_.files.push_back(path);
        stack.push_back(id);
        const bool ok = ExpandFile(static_cast<uint32_t>(out_.files.size() - 1), EndAtZero(text));
        stack.pop_back();
        return ok && Emit(marker + " ends", loc);
    }

    Preprocessed &out_;
    const SourceReader &reader_;
    std::size_t maxBytes_;
    std::size_t bytes_ = 0;
    Loc next_; // the place a line must have to continue the last run
};

} // namespace

Preprocessed Preprocess(const std::string &modelPath, const SourceReader &reader, std::size_t maxBytes)
{
    Preprocessed out;
    out.files.push_back(modelPath);
    std::string text, why;
    FileId id{};
    if (!reader.Read(modelPath, maxBytes, text, id, why)) {
        out.fatal = "Cannot read the model file \"" + modelPath + "\": " + why;
        return out;
    }
    Expander expander(out, reader, maxBytes);
    expander.stack.push_back(id);
    expander.ExpandFile(0, EndAtZero(text));
    return out;
}

std::string ListingText(const Preprocessed &model)
{
    std::size_t lines = 0;
    for (const char c : model.text)
        lines += c == '\n';
    std::string text;
    text.reserve(model.text.size() + lines);
    std::size_t start = 0;
    for (std::size_t end; (end = model.text.find('\n', start)) != std::string::npos; start = end + 1) {
        text.append(model.text, start, end - start);
        text += "\r\n";
    }
    return text;
}

} // namespace tavo

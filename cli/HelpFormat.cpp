#include "cli/HelpFormat.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cstdlib>

namespace {

// Where an option's text starts.
constexpr size_t NameColumn = 26;

size_t helpWidth()
{
    const char* columns = std::getenv("COLUMNS");
    const long value = columns ? std::strtol(columns, nullptr, 10) : 0;
    // One column short of the terminal's: a full line would wrap by itself.
    return value >= 40 ? size_t(std::min(value, 200L)) - 1 : 79;
}

class HelpFormatter : public CLI::Formatter
{
public:
    std::string make_description(const CLI::App* app) const override
    {
        const std::string description = app->get_description();
        return description.empty() ? std::string()
                                   : wrapText(description, helpWidth(), 0, 0) + "\n";
    }

    std::string make_usage(const CLI::App* app, std::string name) const override
    {
        return wrapText(CLI::Formatter::make_usage(app, std::move(name)), helpWidth(), 0, 4);
    }

    std::string make_option(const CLI::Option* option, bool positional) const override
    {
        return entry(make_option_name(option, positional) + make_option_opts(option),
                     make_option_desc(option));
    }

    std::string make_option_opts(const CLI::Option* option) const override
    {
        // The usage line says what is required, and the option's text what
        // excludes what: the name and its value's form are enough here. A
        // list is "ITEM...", as the usage line writes it.
        std::string opts = CLI::Formatter::make_option_opts(option);
        for (const char* note : {" Excludes:", " Needs:"}) {
            const size_t at = opts.find(note);
            if (at != std::string::npos)
                opts.erase(at);
        }
        const std::string required = " " + get_label("REQUIRED");
        const size_t at = opts.find(required);
        if (at != std::string::npos)
            opts.erase(at, required.size());
        const std::string list = " ...";
        if (opts.size() >= list.size() &&
            opts.compare(opts.size() - list.size(), list.size(), list) == 0)
            opts.erase(opts.size() - list.size(), 1);
        return opts;
    }

    std::string make_subcommand(const CLI::App* command) const override
    {
        return entry(command->get_display_name(true), command->get_description());
    }

    std::string make_footer(const CLI::App* app) const override
    {
        std::string footer = app->get_footer();
        while (!footer.empty() && footer.back() == '\n')
            footer.pop_back();
        std::string out;
        size_t start = 0;
        bool continued = false; // the line before ended in " \"
        while (start < footer.size()) {
            size_t end = footer.find('\n', start);
            if (end == std::string::npos)
                end = footer.size();
            const std::string line = footer.substr(start, end - start);
            // A command line is kept as written, so that it runs when
            // pasted: a long one is broken by its own " \" continuations.
            const bool command = continued || line.rfind("  zentrix-cli ", 0) == 0;
            out += (command ? line : listLine(line)) + "\n";
            continued = command && line.size() >= 2 && line.compare(line.size() - 2, 2, " \\") == 0;
            start = end + 1;
        }
        return out;
    }

private:
    static std::string entry(const std::string& name, const std::string& text)
    {
        std::string out = "  " + name;
        if (out.size() + 2 > NameColumn) {
            out += "\n";
            out.append(NameColumn, ' ');
        } else {
            out.resize(NameColumn, ' ');
        }
        return out + wrapText(text, helpWidth(), NameColumn, NameColumn) + "\n";
    }

    // A paragraph wraps at the left edge; a line that starts with blanks
    // keeps them, and goes on under its text (after its first run of two
    // blanks, "  word    text").
    static std::string listLine(const std::string& line)
    {
        if (line.rfind("  ", 0) != 0)
            return wrapText(line, helpWidth(), 0, 0);
        const size_t term = line.find_first_not_of(' ');
        const size_t gap = line.find("  ", term);
        const size_t text =
            gap == std::string::npos ? std::string::npos : line.find_first_not_of(' ', gap);
        const size_t hanging = text == std::string::npos ? term + 4 : text;
        return wrapText(line, helpWidth(), 0, hanging);
    }
};

} // namespace

std::string wrapText(const std::string& text, size_t width, size_t firstIndent,
                     size_t hangingIndent)
{
    std::string out;
    size_t column = firstIndent;
    bool lineHasWord = false;
    bool fresh = false; // a line end is written, its line's indent not yet
    size_t i = 0;
    while (i < text.size()) {
        const size_t wordStart = text.find_first_not_of(' ', i);
        if (wordStart == std::string::npos)
            break;
        if (text[wordStart] == '\n') {
            out += '\n';
            column = 0;
            lineHasWord = false;
            fresh = true;
            i = wordStart + 1;
            continue;
        }
        size_t wordEnd = text.find_first_of(" \n", wordStart);
        if (wordEnd == std::string::npos)
            wordEnd = text.size();
        // Blanks between words are kept, and so are those that start a line
        // of the text; those after a caller's prefix are not.
        size_t blanks = wordStart - i;
        if (fresh) {
            out.append(hangingIndent, ' ');
            column = hangingIndent;
            fresh = false;
        } else if (!lineHasWord && column > 0) {
            blanks = 0;
        }
        const size_t length = wordEnd - wordStart;
        if (lineHasWord && column + blanks + length > width) {
            out += '\n';
            out.append(hangingIndent, ' ');
            column = hangingIndent;
            blanks = 0;
        }
        out.append(blanks, ' ');
        out.append(text, wordStart, length);
        column += blanks + length;
        lineHasWord = true;
        i = wordEnd;
    }
    return out;
}

std::shared_ptr<CLI::Formatter> makeHelpFormatter()
{
    return std::make_shared<HelpFormatter>();
}

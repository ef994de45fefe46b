#pragma once

#include <memory>
#include <string>

namespace CLI {
class Formatter;
}

// The --help layout of every command: descriptions, options and footers
// wrapped at the terminal's width (COLUMNS, else 80 columns), with each
// option's text beside or under its name. Lines of a footer that start with
// two blanks (lists) keep their start; a list line too long for the width
// goes on under its own text. Examples ("  zentrix-cli ...", and the lines
// that continue one after " \") are never wrapped: they must run when pasted.
std::shared_ptr<CLI::Formatter> makeHelpFormatter();

// `text` wrapped at `width` columns, each line after the first indented by
// `hangingIndent` blanks; line ends in `text` are kept.
std::string wrapText(const std::string& text, size_t width, size_t firstIndent,
                     size_t hangingIndent);

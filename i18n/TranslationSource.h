// Readable translation sources (UTF-8, one row per line, cells separated by "|") turned into a
// store whose cells are in each language's code page.
//
//   languages = 4
//   [stCaptions]
//   rbtnFreeHand | Freihand | Freehand | Dessin libre | Desen liber
//   @include common-sections.lang
//
// Cells may use \| for a bar, \n for a line break and \\ for a backslash; in [stMultiLines] the
// lines of a cell become comma text. Columns 1 to 3 are Windows-1252, column 4 Windows-1250.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>

#include "i18n/TranslationStore.h"

namespace zelvora {

class ETranslationSourceError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads an included file by the name the source gives; throws when there is none.
using TSourceReader = std::function<std::string(const std::string& name)>;

// Errors name the file and line, and for a text the row and column.
TTranslationStore CompileTranslationSource(const std::string& text, const std::string& fileName,
                                           const TSourceReader& readInclude);

}  // namespace zelvora

// What a modal window ends with, as buttons and descriptions name it.
#pragma once

#include <string>
#include <vector>

namespace zelvora {

enum class TModalResult { mrNone, mrOk, mrCancel, mrAbort, mrRetry, mrIgnore, mrYes, mrNo };
inline const std::vector<std::string> kModalResultIdents{"mrNone",  "mrOk",     "mrCancel", "mrAbort",
                                                         "mrRetry", "mrIgnore", "mrYes",    "mrNo"};

}  // namespace zelvora

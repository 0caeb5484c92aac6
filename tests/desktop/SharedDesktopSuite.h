// One desktop for all cases of a suite: starting Wine and Notepad costs most of a minute.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "driver/WineDesktop.h"

namespace zelvora::desktop {

// `Folder` names the suite's work folder below the desktop tests' one; `Dpi` is the screen's.
template <const char* Folder, int Dpi = 96, Monitors Layout = Monitors::One>
class SharedDesktopSuite : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        shared_ = std::make_unique<WineDesktop>(std::string(ZELVORA_DESKTOP_WORK_DIR "/") + Folder,
                                                ZELVORA_BIN_DIR, Dpi, Layout);
    }
    static void TearDownTestSuite() { shared_.reset(); }
    static WineDesktop& Shared() { return *shared_; }

private:
    static inline std::unique_ptr<WineDesktop> shared_;
};

}  // namespace zelvora::desktop

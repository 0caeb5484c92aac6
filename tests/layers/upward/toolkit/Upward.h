// The toolkit reaching up to the application.
#pragma once

#include "app/Settings.h"

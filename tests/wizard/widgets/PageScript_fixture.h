#pragma once

// The page-driving fixture lives in tests/support, shared with the application's tests.
#include "support/WizardPageUser.h"

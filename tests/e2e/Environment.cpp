#include <gtest/gtest.h>

#include "UserState.h"

namespace {
// Each test starts from a user who never ran the program; so does whatever runs after the driver.
class CleanUserStateAtTheEnd : public testing::Environment {
public:
    void TearDown() override { CleanUserState(); }
};
testing::Environment* const cleanUserStateAtTheEnd = testing::AddGlobalTestEnvironment(new CleanUserStateAtTheEnd);
} // namespace

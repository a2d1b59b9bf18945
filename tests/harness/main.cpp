#include <gtest/gtest.h>
#include <KestrelMenu.h>

namespace {

// The popup-menu chain for every program that opens a menu. Registered here, after the test
// files' own environments, so it starts after their InitResourcelib and ends before their
// ExitResourcelib.
class MenuChainEnvironment : public ::testing::Environment {
public:
    void SetUp() override { InitMenu(); }
    void TearDown() override { ExitMenu(); }
};

}  // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new MenuChainEnvironment);
    return RUN_ALL_TESTS();
}

#include <gtest/gtest.h>

#include <regex>
#include <set>

#include "confgen_harness.h"
#include "core/confgen/rpc_credentials.h"
#include "core/confgen/rpc_credentials_window.h"
#include "support/sha256.h"

namespace syncward::testing {
namespace {

TEST(RpcCredentials, TheHmacHelperMatchesTheStandardTestVectors) {
    EXPECT_EQ(sha256Hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(hmacSha256Hex("key", "The quick brown fox jumps over the lazy dog"),
              "f7bc83f430538424b13298e6aa6fb143ef4d59a14946175997479dbc2d1a3cd8");
    EXPECT_EQ(hmacSha256Hex(std::string(131, '\xaa'), "Test Using Larger Than Block-Size Key - Hash Key First"),
              "60e431591ee0b67f0d8a26aacbf5b77f8e0bc6213728c5140546040f0ee37f54");
}

// Every preset's rpcauth is its own password's, by the node's rule, in the
// forms the window promises.
TEST(RpcCredentials, EveryPresetsHashIsTheHmacOfItsPasswordKeyedWithItsSalt) {
    static const std::regex user(R"([A-Z]+(_[A-Z]+)*)");
    static const std::regex password(R"([A-Za-z0-9_-]{42,43}=)");
    static const std::regex auth(R"(([A-Z_]+):([0-9a-f]{30,32})\$([0-9a-f]{64}))");
    std::set<std::string> users;
    int shortPasswords = 0;
    for (const RpcCredentials& preset : rpcTestPresets) {
        SCOPED_TRACE(preset.user);
        const std::string name = preset.user;
        EXPECT_TRUE(std::regex_match(name, user));
        EXPECT_GE(name.size(), 9u);
        EXPECT_LE(name.size(), 19u);
        EXPECT_TRUE(std::regex_match(std::string(preset.password), password));
        shortPasswords += std::string(preset.password).size() == 43;
        std::smatch m;
        const std::string line = preset.auth;
        ASSERT_TRUE(std::regex_match(line, m, auth));
        EXPECT_GE(line.size(), 105u);
        EXPECT_LE(line.size(), 117u);
        EXPECT_EQ(m[1], name);
        EXPECT_EQ(m[3], hmacSha256Hex(m[2], preset.password));
        users.insert(name);
    }
    EXPECT_EQ(users.size(), 10u);
    EXPECT_EQ(shortPasswords, 1);
}

struct CredentialsHarness : ConfGenHarness {
    using ConfGenHarness::ConfGenHarness;
    RpcCredentialsWindow& openCredentials() {
        open().QV_RPC_TEST_CREDENTIALS_BUTTON.click();
        return windows().credentials();
    }
};

std::vector<int> greenButtons(RpcCredentialsWindow& w) {
    std::vector<int> green;
    for (int n = 1; n <= 10; ++n) {
        const Colour c = w.presetButton(n).background();
        if (c == colours::green) green.push_back(n);
        else EXPECT_EQ(c, colours::buttonFace) << n;
    }
    return green;
}

TEST(RpcCredentials, OpeningShowsTheGeneratorsFieldsAndMarksOnlyTheMatchingPreset) {
    CredentialsHarness h;
    h.store("RPC_USER_TEXTBOX", rpcTestPresets[3].user);
    h.store("RPC_PASSWORD_TEXTBOX", "typed");
    RpcCredentialsWindow& w = h.openCredentials();
    ASSERT_EQ(h.fake.windows.shown.back(), std::make_pair(static_cast<Form*>(&w), true));
    EXPECT_EQ(w.caption(), "SYNCWARD - CONF-GENERATOR - TEST RPC CREDENTIALS");
    EXPECT_EQ(w.placement().width, 7920);
    EXPECT_EQ(w.placement().height, 6690);
    EXPECT_EQ(w.NOT_SECURE_LABEL.caption(), "!!! NOT SECURE - FOR TESTING ONLY !!!");
    EXPECT_EQ(w.NOT_SECURE_LABEL.foreground(), colours::red);
    EXPECT_EQ(w.RPC_USER_TEXTBOX.text(), rpcTestPresets[3].user);
    EXPECT_EQ(w.RPC_PASSWORD_TEXTBOX.text(), "typed");  // from the generator, not the table
    EXPECT_EQ(greenButtons(w), std::vector<int>{4});
    EXPECT_EQ(w.presetButton(7).tooltip(), rpcTestPresets[6].user);
    EXPECT_EQ(w.presetButton(10).caption(), "10");

    // Another preset on display, then closed: the next opening starts neutral.
    w.presetButton(7).click();
    EXPECT_EQ(greenButtons(w), std::vector<int>{7});
    w.setPosition(1234, 4321);
    w.CANCEL_BUTTON.click();
    EXPECT_EQ(h.stored("TEST-RPC-CREDENTIALS-Left"), "1234");
    ConfGeneratorWindow& g = h.windows().generator();
    EXPECT_EQ(g.RPC_USER_TEXTBOX.text(), rpcTestPresets[3].user);  // cancel hands nothing over
    EXPECT_EQ(g.RPC_PASSWORD_TEXTBOX.text(), "typed");
    g.RPC_USER_TEXTBOX.setText("my_own_user");
    g.QV_RPC_TEST_CREDENTIALS_BUTTON.click();
    EXPECT_EQ(greenButtons(w), std::vector<int>{});
    EXPECT_EQ(w.CANCEL_BUTTON.caption(), "Cancel");
}

TEST(RpcCredentials, UseCurrentCredentialsFillsTheGeneratorWithThePreset) {
    CredentialsHarness h;
    RpcCredentialsWindow& w = h.openCredentials();
    ConfGeneratorWindow& g = h.windows().generator();
    w.presetButton(7).click();
    EXPECT_EQ(g.RPC_USER_TEXTBOX.text(), "");  // not yet
    w.USE_CURRENT_CREDENTIALS_BUTTON.click();
    EXPECT_EQ(w.CANCEL_BUTTON.caption(), "Close");
    h.tick();
    const RpcCredentials& p = rpcTestPresets[6];
    const std::string& text = g.CONF_OUTPUT_TEXTBOX.text();
    EXPECT_NE(text.find("\r\nrpcuser=" + std::string(p.user) + "\r\nrpcpassword=" + p.password + "\r\nrpcauth=" +
                        p.auth + "\r\n"),
              std::string::npos)
        << text;
    EXPECT_EQ(g.RPC_WARNING_LABEL.caption(), "");
    EXPECT_EQ(w.CREDENTIALS_WARNING_LABEL.caption(), "");
}

TEST(RpcCredentials, AnEditedPresetPasswordIsToldAndItsRpcauthIsNotHandedOver) {
    CredentialsHarness h;
    RpcCredentialsWindow& w = h.openCredentials();
    ConfGeneratorWindow& g = h.windows().generator();
    w.presetButton(2).click();
    w.RPC_PASSWORD_TEXTBOX.setText("my-own-password");
    EXPECT_EQ(w.CREDENTIALS_WARNING_LABEL.caption(),
              "!!! THIS PASSWORD IS NOT THE PRESET'S - ITS RPCAUTH WOULD STILL LET THE PUBLISHED PASSWORD IN !!!");
    w.USE_CURRENT_CREDENTIALS_BUTTON.click();
    EXPECT_EQ(g.RPC_USER_TEXTBOX.text(), rpcTestPresets[1].user);
    EXPECT_EQ(g.RPC_PASSWORD_TEXTBOX.text(), "my-own-password");
    EXPECT_EQ(g.RPC_AUTH_TEXTBOX.text(), "");
    EXPECT_EQ(w.RPC_AUTH_TEXTBOX.text(), "");
    EXPECT_EQ(w.CREDENTIALS_WARNING_LABEL.caption(),
              "!!! PASSWORD CHANGED - THE PRESET'S RPCAUTH WAS NOT HANDED OVER - RPC AUTH EMPTIED !!!");

    // Typed into the generator itself, the preview warns instead.
    g.RPC_AUTH_TEXTBOX.setText(rpcTestPresets[1].auth);
    h.tick();
    EXPECT_EQ(g.RPC_WARNING_LABEL.caption(),
              "!!! PASSWORD IS NOT THE PRESET'S - ITS RPCAUTH STILL LETS THE PUBLISHED PASSWORD IN - EMPTY RPC AUTH !!!");
    g.RPC_PASSWORD_TEXTBOX.setText(rpcTestPresets[1].password);
    h.tick();
    EXPECT_EQ(g.RPC_WARNING_LABEL.caption(), "");
}

TEST(RpcCredentials, TheNoteNamesTheToolsOfTheSystem) {
    CredentialsHarness windows;
    const std::string windowsNote = windows.openCredentials().RPCUSER_INFO_TEXTBOX.text();
    EXPECT_TRUE(windowsNote.ends_with(
        "\r\nUse \"MSYS2 MinGW\" to run the python script to create your own credentials.\r\n"
        "Open the script in Notepad to check that you haven't downloaded an HTML page !!!"))
        << windowsNote;
    CredentialsHarness posix(PlatformProfile::posix("/home/u"), "/home/u/R");
    const std::string posixNote = posix.openCredentials().RPCUSER_INFO_TEXTBOX.text();
    EXPECT_EQ(posixNote.find("MSYS2"), std::string::npos);
    EXPECT_EQ(posixNote.find("Notepad"), std::string::npos);
    EXPECT_EQ(posixNote.find('\r'), std::string::npos);
    EXPECT_NE(posixNote.find("python3"), std::string::npos);
}

}  // namespace
}  // namespace syncward::testing

// torvex-behave: its JSON keys, its table and its refusals of bad arguments.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include <nlohmann/json.hpp>

namespace {

struct Result {
    int exit = -1;
    std::string out, err;
};

std::string Slurp(const std::filesystem::path& p) {
    std::ifstream in(p);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

Result Behave(const std::string& args) {
    const std::filesystem::path tool = std::filesystem::path(TORVEX_PROGRAM_DIR) / "torvex-behave";
    EXPECT_TRUE(std::filesystem::exists(tool)) << "build the torvex-behave target first: " << tool;
    auto dir = std::filesystem::temp_directory_path();
    std::string tag = std::to_string(::getpid());
    auto out = dir / ("behave-out-" + tag), err = dir / ("behave-err-" + tag);
    std::string cmd = tool.string() + " " + args + " >" + out.string() + " 2>" + err.string();
    Result r;
    int status = std::system(cmd.c_str());
    r.exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = Slurp(out);
    r.err = Slurp(err);
    std::filesystem::remove(out);
    std::filesystem::remove(err);
    return r;
}

TEST(BehaveTool, JsonHasExactlyTheKeysForEveryModel) {
    Result r = Behave("--wind 10 --direction 270 --moisture 8,8,8,100,100 --json");
    ASSERT_EQ(r.exit, 0) << r.err;
    nlohmann::json rows = nlohmann::json::parse(r.out);
    ASSERT_TRUE(rows.is_array());
    ASSERT_EQ(rows.size(), 13u);
    const std::set<std::string> keys = {"model", "name", "head_m_min", "back_m_min", "head_ch_h",
                                        "length_to_breadth", "flame_m", "flame_ft"};
    for (size_t i = 0; i < rows.size(); ++i) {
        const auto& row = rows[i];
        std::set<std::string> got;
        for (auto it = row.begin(); it != row.end(); ++it) got.insert(it.key());
        EXPECT_EQ(got, keys) << "row " << i;
        EXPECT_EQ(row["model"], static_cast<int>(i + 1));
        double head = row["head_m_min"], back = row["back_m_min"];
        EXPECT_GT(head, back) << "model " << i + 1;
        EXPECT_NEAR(row["head_ch_h"].get<double>(), head * 60 / 20.1168, 0.01);
        EXPECT_NEAR(row["flame_ft"].get<double>(), row["flame_m"].get<double>() / 0.3048, 0.01);
        EXPECT_DOUBLE_EQ(row["length_to_breadth"].get<double>(), 2.25);
    }
    EXPECT_EQ(rows[0]["name"], "Short Grass");
    EXPECT_EQ(rows[12]["name"], "Logging Slash - Heavy");
}

TEST(BehaveTool, TableListsTheModelsAndHelpExplains) {
    Result table = Behave("--wind 0 --moisture 40,40,40,100,100");
    ASSERT_EQ(table.exit, 0) << table.err;
    EXPECT_NE(table.out.find("Head ch/h"), std::string::npos);
    EXPECT_NE(table.out.find("Timber (litter/under.)"), std::string::npos);
    EXPECT_NE(table.out.find("Logging Slash - Heavy"), std::string::npos);
    Result help = Behave("--help");
    EXPECT_EQ(help.exit, 0);
    EXPECT_NE(help.out.find("Usage: torvex-behave"), std::string::npos);
}

TEST(BehaveTool, BadArgumentsExitTwoWithAReason) {
    struct Case { const char* args; const char* says; };
    const Case cases[] = {
        {"--wind", "--wind needs a value"},
        {"--wind fast", "--wind 'fast'"},
        {"--wind 10.5", "--wind '10.5'"},
        {"--wind -1", "--wind '-1'"},
        {"--direction 400", "--direction '400'"},
        {"--moisture 8,8,8,100", "five"},
        {"--moisture 8,8,8,100,100,3", "got more"},
        {"--moisture 8,,8,100,100", "10-hour"},
        {"--moisture 8,8,8,100,x", "woody"},
        {"--colour red", "unknown argument '--colour'"},
    };
    for (const Case& c : cases) {
        Result r = Behave(c.args);
        EXPECT_EQ(r.exit, 2) << c.args;
        EXPECT_TRUE(r.out.empty()) << c.args;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << c.args << ": " << r.err;
    }
}

}  // namespace

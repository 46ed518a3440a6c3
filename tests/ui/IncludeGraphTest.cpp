// The windows talk through signals that the main window connects: no window includes
// another window's class to call it, so the include graph of ui/ has no circle.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Each header/source pair of ui/ as one node, with the ui/ headers it includes.
std::map<std::string, std::set<std::string>> IncludeGraph(const fs::path& folder) {
    std::map<std::string, std::set<std::string>> graph;
    const std::regex include(R"(^\s*#\s*include\s*"ui/(?:[^"/]+/)*([^"/]+)\.h")");
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const std::string ext = entry.path().extension().string();
        if (ext != ".h" && ext != ".cpp")
            continue;
        const std::string node = entry.path().stem().string();
        auto& edges = graph[node];
        std::ifstream in(entry.path());
        std::smatch m;
        for (std::string line; std::getline(in, line);)
            if (std::regex_search(line, m, include) && m[1] != node)
                edges.insert(m[1]);
    }
    return graph;
}

// A circle of the graph as "A -> B -> A", or "" when there is none.
std::string FindCircle(const std::map<std::string, std::set<std::string>>& graph) {
    std::map<std::string, int> state; // 0 unseen, 1 on the path, 2 done
    std::vector<std::string> path;
    std::string circle;
    auto visit = [&](auto&& self, const std::string& node) -> void {
        state[node] = 1;
        path.push_back(node);
        const auto found = graph.find(node);
        if (found != graph.end())
            for (const std::string& next : found->second) {
                if (!circle.empty())
                    break;
                if (state[next] == 1) {
                    for (auto it = std::find(path.begin(), path.end(), next); it != path.end(); ++it)
                        circle += *it + " -> ";
                    circle += next;
                } else if (state[next] == 0) {
                    self(self, next);
                }
            }
        path.pop_back();
        state[node] = 2;
    };
    for (const auto& [node, edges] : graph)
        if (circle.empty() && state[node] == 0)
            visit(visit, node);
    return circle;
}

TEST(IncludeGraph, WindowsDoNotIncludeEachOtherInACircle) {
    const auto graph = IncludeGraph(fs::path(BREVANE_SOURCE_DIR) / "ui");
    ASSERT_GT(graph.size(), 10u);
    EXPECT_EQ(FindCircle(graph), "");
    // The circle finder itself finds one.
    EXPECT_EQ(FindCircle({{"A", {"B"}}, {"B", {"C"}}, {"C", {"A"}}}), "A -> B -> C -> A");
    // The windows the main window wires know nothing of it.
    for (const char* window :
         {"TContractEdit", "TOfferListForm", "TCapTableForm", "TCheapestOfferForm", "TPlayersForm"})
        EXPECT_EQ(graph.at(window).count("TContractManagerForm"), 0u) << window;
}

} // namespace

// Path helpers of the file layer, and the one place that decides what a user's path means.
#include "league/FilePaths.h"

#include "league/FileHandles.h"

#include <algorithm>

namespace tolvik {
namespace {

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::size_t LastNativeSeparator(const std::string& path) {
    const SystemFiles& files = Files();
    for (std::size_t i = path.size(); i > 0; --i)
        if (files.IsSeparator(path[i - 1]))
            return i - 1;
    return std::string::npos;
}

} // namespace

std::string PathFolder(const std::string& path) {
    std::size_t cut = path.find_last_of("/\\");
    if (cut == std::string::npos)
        return "";
    if (cut == 0)
        return path.substr(0, 1);
    return path.substr(0, cut);
}

std::string PathLeaf(const std::string& path) {
    std::size_t cut = path.find_last_of("/\\");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string PathJoin(const std::string& folder, const std::string& name) {
    if (folder.empty())
        return name;
    std::string path;
    path.reserve(folder.size() + 1 + name.size());
    path += folder;
    // The system's own separator: '\\' where it is one (Windows), else '/'.
    if (folder.back() != '/' && folder.back() != '\\')
        path += Files().IsSeparator('\\') ? '\\' : '/';
    path += name;
    return path;
}

std::string NativePath(const std::string& path) {
    return Files().NativePath(path);
}

const std::string& NativePath(const std::string& path, std::string& storage) {
    const char foreign = Files().IsSeparator('\\') ? '/' : '\\';
    if (path.find(foreign) == std::string::npos)
        return path;
    storage = Files().NativePath(path);
    return storage;
}

FileInfo StatPath(const std::string& path, bool followLinks) {
    std::string storage;
    return Files().Stat(NativePath(path, storage), followLinks);
}

std::string NativeFolder(const std::string& path) {
    const std::size_t cut = LastNativeSeparator(path);
    if (cut == std::string::npos)
        return "";
    return cut == 0 ? path.substr(0, 1) : path.substr(0, cut);
}

std::string NativeLeaf(const std::string& path) {
    const std::size_t cut = LastNativeSeparator(path);
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

std::vector<std::string> FindFilesIgnoringCase(const std::string& folder,
                                               const std::vector<std::string>& names) {
    std::vector<std::string> found(names.size());
    // The folder's own names first: where the file system ignores case itself, the exact
    // name would find the file too, but under the name asked for, not the one it bears.
    std::vector<std::string> leaves;
    if (!Files().List(folder.empty() ? "." : NativePath(folder), leaves))
        leaves.clear();
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string& name = names[i];
        std::string match;
        for (const std::string& leaf : leaves) {
            if (!SameNameIgnoringCase(leaf, name) || !FileExists(PathJoin(folder, leaf)))
                continue;
            // The exact name, else the first match in name order, so the choice does not
            // depend on directory order.
            if (leaf == name) {
                match = leaf;
                break;
            }
            if (match.empty() || leaf < match)
                match = leaf;
        }
        if (!match.empty())
            found[i] = PathJoin(folder, match);
        else if (const std::string exact = PathJoin(folder, name); FileExists(exact))
            found[i] = exact;
    }
    return found;
}

std::string FindFileIgnoringCase(const std::string& folder, const std::string& name) {
    return FindFilesIgnoringCase(folder, {name}).front();
}

std::string FileInFolder(const std::string& folder, const std::string& name) {
    const std::string found = FindFileIgnoringCase(folder, name);
    return found.empty() ? PathJoin(folder, name) : found;
}

std::string AbsoluteFolder(const std::string& folder) {
    return Files().AbsolutePath(folder.empty() ? "." : NativePath(folder));
}

} // namespace tolvik

#include "ui/ExportFile.h"

#include "contracts/LeagueFileNames.h"
#include "league/AtomicReplace.h"
#include "ui/QtText.h"

bool WriteExportFile(const League& league, const QString& path, const void* data, std::size_t size,
                     Prompt& prompt, const char* caption) {
    const std::string file = ToFilePath(path);
    if (NamesFileOfLeague(league, file)) {
        prompt.ShowStop("Cannot write " + file + ": " + kFileOfTheOpenLeague, caption);
        return false;
    }
    tolvik::FileError error = tolvik::FileError::None;
    if (tolvik::WriteFileAtomically(file, data, size, &error))
        return true;
    prompt.ShowStop("Cannot write " + file + ": " + tolvik::FileErrorText(error), caption);
    return false;
}

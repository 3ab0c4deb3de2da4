#pragma once

#include <filesystem>
#include <string>

// The engine's own readers applied to a file the windows wrote: an empty
// string when the engine would run with it, otherwise its run-time error.
// (Kept apart because the engine's and the windows' tables share names.)
std::string EngineRefusesSpectrum(const std::filesystem::path& file);
std::string EngineRefusesHistories(const std::filesystem::path& file);

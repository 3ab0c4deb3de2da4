#pragma once

// The files through which the control program and the engine meet, all bare
// names resolved in the working directory.
inline constexpr char SPECTRUM_FILE[] = "P_Spectrum.dat";  // spectrum window -> engine
inline constexpr char HISTORY_FILE[] = "history.dat";      // main window -> engine
inline constexpr char RESULT_FILE[] = "Result.dat";        // engine -> main window
inline constexpr char ATTENUATION_FILE[] = "Mus2018.dat";  // shipped data
inline constexpr char ENGINE_PROGRAM[] = "Lumicore-1";     // the engine itself

// Deletes a file of the working directory; a missing file or a failure to
// delete it is ignored, since every caller goes on with its next step.
void DeleteIgnoringErrors(const char* file);

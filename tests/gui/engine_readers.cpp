#include "engine_readers.h"

#include "tables.h"

template <typename Load>
static std::string Refusal(Load load, const std::filesystem::path& file) {
  try {
    load(file);
    return {};
  } catch (const lumora::RunTimeError& e) {
    return e.what();
  }
}

std::string EngineRefusesSpectrum(const std::filesystem::path& file) {
  return Refusal(lumora::load_spectrum, file);
}

std::string EngineRefusesHistories(const std::filesystem::path& file) {
  return Refusal(lumora::load_histories, file);
}

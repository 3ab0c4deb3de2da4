#pragma once

#include <array>
#include <string>
#include <vector>

#include "spectrum_tables.h"

namespace lumora::test {

// A small stand-in for the shipped attenuation table: smooth power laws of the right size for
// tungsten (with its K edge at 69.5 keV), aluminium and copper, in 1/cm.
AttenuationTable FixtureTable();

// The fixture's 300 records of 7 numbers as text: field 1 the energy, fields 2-4 the
// coefficients (written so that they read back exactly), fields 5-7 filler.
using Record = std::array<std::string, 7>;
std::vector<Record> FixtureRecords();

// Joins records into a file text with the given separators.
std::string JoinRecords(const std::vector<Record>& records, const std::string& field_separator,
                        const std::string& record_separator);

// The fixture as the text of an attenuation file, one record of 7 comma-separated numbers per
// line, CR LF.
std::string FixtureFileText();

}  // namespace lumora::test

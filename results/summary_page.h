// The class summary as one HTML page: Italian, no scripts, nothing fetched, the map inside,
// laid out for A4 paper.
#pragma once

#include "class_summary.h"

#include <string>

namespace brindora {

std::string htmlEscape(const std::string& text);

// folder: as the teacher knows it, for the title; mapPng: the class map (may be empty).
std::string summaryPage(const ClassSummary& summary, const std::string& folder,
                        const std::string& mapPng);

} // namespace brindora

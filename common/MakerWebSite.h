#pragma once
// The maker's web server, which both programs reach: the designer finds the cube server
// named on a page of it, the updater fetches the update description from it.

#include <string_view>

namespace vantorell {

inline constexpr std::string_view kMakerWebSite = "http://www.orvanedovozerodi.com/";

}  // namespace vantorell

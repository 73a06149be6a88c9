#pragma once

#include <gtest/gtest.h>

#include <string>

#include "mkdemo/MovieMaker.h"

namespace zktest {

// Writes the recipe's movie to path; a test failure with the maker's reason when it
// cannot.
inline void MakeMovie(const mkdemo::MovieRecipe& recipe, const std::string& path) {
    std::string error;
    ASSERT_TRUE(mkdemo::MovieMaker::Make(recipe, path, error)) << error;
}

}  // namespace zktest

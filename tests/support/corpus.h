#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace vaticor::testing {

// Why a test over the shared corpus (CorpusDir(), temp_dir.h) cannot run:
// empty when its sub-folder `folder` (e.g. "jpeg") is there, else a message
// naming the folder that was looked for.
std::string MissingCorpus(std::string_view folder);

// Whether a missing corpus fails a test instead of skipping it: true when the
// environment variable CI is set (to anything but "", "0" or "false"), as CI
// services set it. There a skip would hide that the corpus never arrived;
// on a developer's machine the corpus is optional.
bool CorpusRequired();

}  // namespace vaticor::testing

// The first statement of a test (or of its fixture's SetUp) that reads the
// corpus sub-folder `folder`: skips the test when the folder is missing, or
// fails it when CorpusRequired().
#define REQUIRE_CORPUS(folder)                                                              \
  do {                                                                                      \
    const std::string vaticor_missing_ = ::vaticor::testing::MissingCorpus(folder);         \
    if (vaticor_missing_.empty()) break;                                                    \
    if (::vaticor::testing::CorpusRequired()) FAIL() << vaticor_missing_ << " (CI is set)"; \
    GTEST_SKIP() << vaticor_missing_;                                                       \
  } while (false)

#pragma once

#include "storage/fs_error.h"

#include <string>

// The tab-separated files for the outside reward calculator, in <AppDir>/output.
namespace zelt {

Status create_members(const std::string& name);  // members.clc from affiliates.kvr
Status create_sales(const std::string& name);    // sales.clc / payments.clc
Status create_settings(const std::string& name); // settings.clc from apsettings.kvr

// The four writers in order; stops at the first failure, the files before it stay complete.
Status create_files_for_calculations();

} // namespace zelt

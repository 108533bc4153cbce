#pragma once

#include "storage/app_context.h"
#include "storage/fs_error.h"

#include <string>

// The tab-separated files for the outside reward calculator, in <app.dir>/output.
namespace zelt {

// members.clc from affiliates.kvr
Status createMembers(const AppContext& app, const std::string& name);
// sales.clc from sales.kvr, payments.clc (name "payments") from payments.kvr
Status createSales(const AppContext& app, const std::string& name);
// settings.clc from apsettings.kvr
Status createSettings(const AppContext& app, const std::string& name);

// The four writers in order; stops at the first failure, the files before it stay complete.
Status createFilesForCalculations(const AppContext& app);

} // namespace zelt

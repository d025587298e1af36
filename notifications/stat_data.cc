#include "notifications/stat_data.h"

namespace notifications {
namespace {

stat_data* g_stat_data = nullptr;

}  // namespace

void stat_data::create(IUnknown* statistics) {
  delete g_stat_data;
  g_stat_data = new stat_data(statistics);
}

void stat_data::destroy() {
  delete g_stat_data;
  g_stat_data = nullptr;
}

stat_data* stat_data::instance() { return g_stat_data; }

}  // namespace notifications

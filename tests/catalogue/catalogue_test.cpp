#include "catalogue/catalogue.h"

namespace cw::catalogue {
namespace {

// Every table of the catalogue instantiates this one test, once per row.
TEST_P(BadInput, HasTheOutcomeWrittenInItsRow) {
  runRow(GetParam());
}

}  // namespace
}  // namespace cw::catalogue

// The toolkit's contract on the headless back end.
#include "contract/ContractFixture.h"
#include "toolkit/headless/HeadlessDriver.h"

namespace kestrune::toolkit::contract {

std::unique_ptr<Driver> MakeDriver() {
    return std::make_unique<headless::HeadlessDriver>();
}

}  // namespace kestrune::toolkit::contract

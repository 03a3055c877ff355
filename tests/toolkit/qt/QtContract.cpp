// The toolkit's contract on the Qt back end.
#include "QtDriver.h"
#include "contract/ContractFixture.h"

namespace kestrune::toolkit::contract {

std::unique_ptr<Driver> MakeDriver() {
    return std::make_unique<qt::QtDriver>();
}

}  // namespace kestrune::toolkit::contract

// The toolkit's contract on the Win32 back end.
#include "Win32Driver.h"
#include "contract/ContractFixture.h"

namespace kestrune::toolkit::contract {

std::unique_ptr<Driver> MakeDriver() {
    return std::make_unique<win32::Win32Driver>();
}

}  // namespace kestrune::toolkit::contract

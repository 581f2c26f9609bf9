// An uncaught exception ends the program as the runtime's own handler ends it, by abort(), but
// without its message naming the exception's type: that message needs the runtime's name
// demangler and formatted printing, about 60 KiB of the program. Linked statically, this
// definition takes the place of the runtime's.
#include <cstdlib>

namespace __gnu_cxx {

void __verbose_terminate_handler();

void __verbose_terminate_handler() {
    std::abort();
}

} // namespace __gnu_cxx

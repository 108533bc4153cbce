# Language level, warnings and sanitizer switches shared by every target.
add_library(zelt_common INTERFACE)
target_compile_features(zelt_common INTERFACE cxx_std_20)
target_compile_options(zelt_common INTERFACE -Wall -Wextra -Wpedantic -Wnon-virtual-dtor
                                             -Wold-style-cast)
target_compile_definitions(zelt_common INTERFACE QT_DISABLE_DEPRECATED_BEFORE=0x060400)

option(ZELT_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(ZELT_SANITIZE)
    target_compile_options(zelt_common INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer
                                                 -fno-sanitize-recover=undefined)
    target_link_options(zelt_common INTERFACE -fsanitize=address,undefined)
endif()

option(ZELT_WERROR "Treat warnings as errors" OFF)
if(ZELT_WERROR)
    target_compile_options(zelt_common INTERFACE -Werror)
endif()

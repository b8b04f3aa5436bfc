# The sanitized build of scripts/test --sanitize and scripts/fuzz: clang with AddressSanitizer
# and UndefinedBehaviorSanitizer, both stopping at the first report, and libFuzzer's coverage,
# in build-sanitize/. Sourced before setup.sh.
zelmar_more_packages=(clang-14 libclang-rt-14-dev llvm-14)
zelmar_cmake_args=(-DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14
                   -DZELMAR_SANITIZE=ON -DZELMAR_FUZZ=ON)
zelmar_sanitize_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
ZELMAR_BUILD="${ZELMAR_SANITIZE_BUILD:-$zelmar_sanitize_root/build-sanitize}"
export ASAN_OPTIONS="halt_on_error=1:detect_stack_use_after_return=1:strict_string_checks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$zelmar_sanitize_root/scripts/lsan.supp:print_suppressions=0"
export ASAN_SYMBOLIZER_PATH=/usr/bin/llvm-symbolizer-14

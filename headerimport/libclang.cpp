#include "headerimport/libclang.h"

#include <dlfcn.h>

#include <stdexcept>

namespace zandrel {

namespace {

struct Loaded {
  void* Handle = nullptr;
  std::string Failure;
};

const Loaded& Library() {
  static const Loaded loaded = [] {
    Loaded result;
    // It stays loaded: clang's own threads and allocations outlive any one import.
    result.Handle = ::dlopen(ZANDREL_LIBCLANG_SONAME, RTLD_NOW | RTLD_LOCAL);
    if (result.Handle == nullptr)
      result.Failure = std::string("libclang could not be loaded: ") + ::dlerror();
    return result;
  }();
  return loaded;
}

}  // namespace

std::optional<std::string> LibClangMissing() {
  const Loaded& library = Library();
  if (library.Handle == nullptr) return library.Failure;
  return std::nullopt;
}

void* LibClangFunction(const char* name) {
  const Loaded& library = Library();
  if (library.Handle == nullptr) throw std::runtime_error(library.Failure);
  void* function = ::dlsym(library.Handle, name);
  if (function == nullptr) throw std::runtime_error(std::string("libclang lacks ") + name);
  return function;
}

}  // namespace zandrel

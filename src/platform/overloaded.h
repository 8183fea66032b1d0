#pragma once

namespace tessaril {

// One visitor out of several lambdas, for std::visit: each lambda handles its own types, and a
// type no lambda takes does not compile.
template <typename... Handlers>
struct Overloaded : Handlers... {
  using Handlers::operator()...;
};
template <typename... Handlers>
Overloaded(Handlers...) -> Overloaded<Handlers...>;

}  // namespace tessaril

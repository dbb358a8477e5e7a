#pragma once
// One replaceable service of the component (messages, windows, progress): whoever shows
// things installs its own; tests install recorders; an empty install puts the default back.
#include <memory>

namespace ostrevan {

template <class Interface, class Default>
class ServiceSlot {
 public:
  static std::shared_ptr<Interface> Set(std::shared_ptr<Interface> s) {
    auto old = Current();
    Current() = s ? std::move(s) : std::make_shared<Default>();
    return old;
  }
  static Interface& Get() { return *Current(); }

 private:
  static std::shared_ptr<Interface>& Current() {
    static std::shared_ptr<Interface> s = std::make_shared<Default>();
    return s;
  }
};

}  // namespace ostrevan

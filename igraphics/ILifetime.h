#pragma once

#include <memory>
#include <utility>

namespace iplug
{
namespace igraphics
{

/** Ends with its owner, or earlier when the owner says so. Answers that can arrive after the call
    that asked for them has returned (a sheet's completion, a dialog whose modal loop let the host
    close the editor, a choice made after the owner went) hold a watch and touch their owner only
    while it lives. */
class ILifetime
{
public:
  class Watch
  {
  public:
    bool Alive() const { return !mLife.expired(); }

  private:
    friend class ILifetime;
    explicit Watch(std::weak_ptr<const bool> life) : mLife(std::move(life)) {}
    std::weak_ptr<const bool> mLife;
  };

  ILifetime() = default;
  ILifetime(const ILifetime&) = delete;
  ILifetime& operator=(const ILifetime&) = delete;

  Watch GetWatch() const { return Watch(mLife); }
  /** From here on every watch, those taken before and any taken later, sees its owner gone. */
  void End() { mLife.reset(); }
  bool Alive() const { return mLife != nullptr; }

  /** func, made to do nothing once the owner is gone. */
  template <typename Func>
  auto Guard(Func func) const
  {
    return [watch = GetWatch(), func = std::move(func)](auto&&... args) {
      if (watch.Alive())
        func(std::forward<decltype(args)>(args)...);
    };
  }

private:
  std::shared_ptr<const bool> mLife = std::make_shared<const bool>(true);
};

} // namespace igraphics
} // namespace iplug

#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace iplug
{
namespace igraphics
{

/** A process-wide cache of loaded items keyed by name and scale, shared by every open editor.
 * Every access goes through an Accessor, which holds the cache's recursive lock. The last user
 * to leave empties the cache. */
template <class T>
class StaticStorage
{
public:
  class Accessor
  {
  public:
    explicit Accessor(StaticStorage& storage) : mStorage(storage) { mStorage.mMutex.lock(); }
    ~Accessor() { mStorage.mMutex.unlock(); }
    Accessor(const Accessor&) = delete;
    Accessor& operator=(const Accessor&) = delete;

    /** The first entry with this name and scale; null when none. */
    T* Find(const char* name, double scale = 1.0) const
    {
      const char* plainName = name ? name : "";
      const uint64_t hash = Hash(Key(plainName, scale));
      for (const auto& entry : mStorage.mEntries)
        if (entry->hash == hash && entry->scale == scale && entry->name == plainName)
          return entry->data.get();
      return nullptr;
    }

    /** Takes ownership of data; false (data deleted) when the cache could not grow. */
    bool Add(T* data, const char* name, double scale = 1.0)
    {
      std::unique_ptr<T> owned(data);
      try
      {
        const char* plainName = name ? name : "";
        mStorage.mEntries.push_back(
          std::make_unique<DataKey>(DataKey{Hash(Key(plainName, scale)), plainName, scale, std::move(owned)}));
        return true;
      }
      catch (const std::bad_alloc&)
      {
        return false;
      }
    }

    /** Removes and deletes the first entry holding data; nothing when absent. */
    void Remove(const T* data)
    {
      auto& entries = mStorage.mEntries;
      for (auto it = entries.begin(); it != entries.end(); ++it)
        if ((*it)->data.get() == data)
        {
          entries.erase(it);
          return;
        }
    }

    bool Holds(const T* data) const
    {
      for (const auto& entry : mStorage.mEntries)
        if (entry->data.get() == data)
          return true;
      return false;
    }

    void Clear() { mStorage.mEntries.clear(); }
    int Size() const { return static_cast<int>(mStorage.mEntries.size()); }

    void Retain() { ++mStorage.mUsers; }

    /** Gives one use back; the last one empties the cache. */
    void Release()
    {
      if (--mStorage.mUsers <= 0)
      {
        mStorage.mUsers = 0;
        Clear();
      }
    }

    int Users() const { return mStorage.mUsers; }

  private:
    StaticStorage& mStorage;
  };

  StaticStorage() = default;
  StaticStorage(const StaticStorage&) = delete;
  StaticStorage& operator=(const StaticStorage&) = delete;

  /** The text that an entry is known by: knob.png at scale 2 is "knob.png-2.0x". */
  static std::string Key(const char* name, double scale)
  {
    char suffix[64];
    std::snprintf(suffix, sizeof(suffix), "-%.1fx", scale);
    return std::string(name ? name : "") + suffix;
  }

private:
  static uint64_t Hash(const std::string& key) { return static_cast<uint64_t>(std::hash<std::string>()(key)); }

  struct DataKey
  {
    uint64_t hash;
    std::string name;
    double scale;
    std::unique_ptr<T> data;
  };

  int mUsers = 0;
  std::recursive_mutex mMutex;
  std::vector<std::unique_ptr<DataKey>> mEntries;
};

} // namespace igraphics
} // namespace iplug

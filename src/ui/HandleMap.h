// The objects of the program's windows, by window handle. Kept in the process: a window property
// costs a round trip to the window server under Wine on every message, which made filling a list
// of thousands of items several times slower.
#pragma once

#include <windows.h>

#include <unordered_map>

template <class T>
class THandleMap {
public:
    void Set(HWND handle, T* object) { objects_[handle] = object; }
    T* Get(HWND handle) const
    {
        auto it = handle ? objects_.find(handle) : objects_.end();
        return it == objects_.end() ? nullptr : it->second;
    }
    // Forgets handle only while it still stands for object: a handle the system reused since
    // belongs to another.
    void Remove(HWND handle, const T* object)
    {
        auto it = objects_.find(handle);
        if (it != objects_.end() && it->second == object)
            objects_.erase(it);
    }

private:
    std::unordered_map<HWND, T*> objects_;
};

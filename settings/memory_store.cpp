#include "settings/memory_store.h"

#include <cstring>

#include "base/text_case.h"

namespace {

std::string Lower(const std::string& text) {
    std::string lower = text;
    for (char& c : lower) c = FoldCaseAscii(c);
    return lower;
}

}  // namespace

std::string MemoryStore::KeyName(RegistryRoot root, const std::string& path) {
    return (root == RegistryRoot::CurrentUser ? "hkcu\\" : "hklm\\") + Lower(path);
}

MemoryStore::Key* MemoryStore::FindKey(RegistryRoot root, const std::string& path) {
    auto found = keys_.find(KeyName(root, path));
    return found == keys_.end() ? nullptr : found->second.get();
}

bool MemoryStore::HasKey(RegistryRoot root, const std::string& path) const {
    return keys_.count(KeyName(root, path)) != 0;
}

bool MemoryStore::OpenKeyForRead(RegistryRoot root, const char* path, StoreKey& key) {
    Key* found = FindKey(root, path);
    if (found == nullptr) return false;
    key = found;
    ++openKeys_;
    return true;
}

bool MemoryStore::OpenKeyForWrite(RegistryRoot root, const char* path, StoreKey& key) {
    std::unique_ptr<Key>& slot = keys_[KeyName(root, path)];
    if (!slot) {
        slot = std::make_unique<Key>();
        slot->path = path;
    }
    key = slot.get();
    ++openKeys_;
    return true;
}

void MemoryStore::CloseKey(StoreKey) {
    --openKeys_;
}

bool MemoryStore::QueryValue(StoreKey key, const char* name, unsigned char* buffer, uint32_t& size, uint32_t& type) {
    Key* open = static_cast<Key*>(key);
    auto found = open->values.find(Lower(name));
    if (found == open->values.end()) return false;
    const Value& value = found->second;
    if (value.data.size() > size) return false;
    if (!value.data.empty()) std::memcpy(buffer, value.data.data(), value.data.size());
    size = static_cast<uint32_t>(value.data.size());
    type = value.type;
    return true;
}

bool MemoryStore::SetValue(StoreKey key, const char* name, uint32_t type, const unsigned char* data, uint32_t size) {
    if (writesFail_) return false;
    Key* open = static_cast<Key*>(key);
    Value& value = open->values[Lower(name)];
    value.type = type;
    value.data.assign(data, data + size);
    writeLog_.push_back(open->path + "\\" + name);
    return true;
}

bool MemoryStore::DeleteValue(StoreKey key, const char* name) {
    Key* open = static_cast<Key*>(key);
    return open->values.erase(Lower(name)) != 0;
}

void MemoryStore::Put(RegistryRoot root,
                      const std::string& path,
                      const std::string& name,
                      uint32_t type,
                      const std::vector<unsigned char>& data) {
    std::unique_ptr<Key>& slot = keys_[KeyName(root, path)];
    if (!slot) {
        slot = std::make_unique<Key>();
        slot->path = path;
    }
    slot->values[Lower(name)] = Value{type, data};
}

void MemoryStore::PutString(RegistryRoot root,
                            const std::string& path,
                            const std::string& name,
                            const std::string& text) {
    std::vector<unsigned char> data(text.begin(), text.end());
    data.push_back(0);
    Put(root, path, name, kRegistryString, data);
}

const MemoryStore::Value* MemoryStore::Find(RegistryRoot root, const std::string& path, const std::string& name) const {
    auto key = keys_.find(KeyName(root, path));
    if (key == keys_.end()) return nullptr;
    auto value = key->second->values.find(Lower(name));
    return value == key->second->values.end() ? nullptr : &value->second;
}

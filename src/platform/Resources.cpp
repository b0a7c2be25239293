#include "platform/Resources.h"

#include <cstring>

#include "platform/EmbeddedResources.h"

bool findResource(int id, const char* typeName, ResourceBytes& bytes) {
    if (typeName == nullptr) return false;
    for (const EmbeddedResource& resource : embeddedResources()) {
        if (resource.id == id && std::strcmp(resource.type, typeName) == 0) {
            bytes = ResourceBytes(resource.data, resource.size);
            return true;
        }
    }
    return false;
}

const char* resourceString(int id) {
    for (const EmbeddedText& entry : embeddedTexts())
        if (entry.id == id) return entry.text;
    return nullptr;
}

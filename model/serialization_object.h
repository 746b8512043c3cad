// Root of every object that can be stored in a scheme: its type name and kind test.
#pragma once

#include <string>
#include <string_view>

class SerializationObject {
public:
    virtual ~SerializationObject() = default;

    // The type name stored in front of the object in a scheme.
    virtual const char* className() const { return "SerializationObject"; }
    // True for the object's own type name and every ancestor's in the naming chain.
    virtual bool isKindOf(std::string_view typeName) const {
        return typeName == "SerializationObject";
    }
    // The naming chain from the root down, joined by ':'.
    virtual std::string classPath() const { return "SerializationObject"; }
};

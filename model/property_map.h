// A property whose value is an ordered list of owned child properties.
#pragma once

#include "model/property.h"
#include "velmora_export.h"

#include <vector>

class ClassRegistry;

class VELMORA_EXPORT PropertyMap : public Property {
public:
    static constexpr const char* kTypeName = "PropertyMap";

    PropertyMap() = default;
    PropertyMap(std::u16string name, std::int32_t textId) : Property(std::move(name), textId) {}
    ~PropertyMap() override;

    const char* className() const override { return kTypeName; }
    bool isKindOf(std::string_view typeName) const override;
    std::string classPath() const override;

    void read(ObjectIStream& in) override;
    void write(ObjectOStream& out) const override;

    OptionRow* createItem(OptionTree& tree, OptionRow* parent) override;
    void commitItem() override;
    void forgetItem() override;
    void saveItemState() override;

    const std::vector<std::unique_ptr<Property>>& children() const { return children_; }
    // The first child with exactly this name, or null.
    Property* findChild(std::u16string_view name) const;
    template <class Kind> const Kind* findChildAs(std::u16string_view name) const {
        return asKind<Kind>(static_cast<const Property*>(findChild(name)));
    }
    template <class Kind> Kind* findChildAs(std::u16string_view name) {
        return asKind<Kind>(findChild(name));
    }

    Property* append(std::unique_ptr<Property> child);
    // Inserts child right after anchor; at the end when anchor is not a child.
    Property* insertChildAfter(const Property* anchor, std::unique_ptr<Property> child);
    void moveChildUp(const Property* child);
    void moveChildDown(const Property* child);
    // Takes the child out of the map and hands it to the caller; null if it is not here.
    virtual std::unique_ptr<Property> removeChild(const Property* child);
    // Takes the child at position out of the map; the next child then sits at position.
    virtual std::unique_ptr<Property> eraseChildAt(std::size_t position);
    virtual void clearChildren();
    // Replaces this map's name, texts and children by those of other, which is left empty.
    void replaceContentsWith(PropertyMap& other);

    bool isExpanded() const { return expanded_; }
    void setExpanded(bool expanded) { expanded_ = expanded; }

    // Brings the map in line with a fresh instance of its class: drops plain properties that
    // the class does not have, appends the ones it lacks, and does the same for elements.
    void reconcileWithTemplate(const ClassRegistry& registry);
    // Gives each plain integer the choices of the same-named choice property of a fresh
    // instance of its class, here and in the elements: an older scheme (the built-in one among
    // them) stored some choices as plain integers, which the editor then shows by name. What
    // is stored stays as it was.
    void takeChoicesFromTemplate(const ClassRegistry& registry);

protected:
    // Copies texts and a clone of every child; used by the clones of derived maps.
    PropertyMap(const PropertyMap& other);

private:
    std::size_t indexOf(const Property* child) const;

    std::vector<std::unique_ptr<Property>> children_;
    bool expanded_ = false;
};

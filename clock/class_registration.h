// Registers every class a scheme can store, so reading can create them by name.
#pragma once

class ClassRegistry;

// Registers the fifteen storable classes in their fixed order; registering twice is harmless.
void registerSchemeClasses(ClassRegistry& registry);
void registerSchemeClasses();

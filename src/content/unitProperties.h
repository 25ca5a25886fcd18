#ifndef VORN_CONTENT_UNITPROPERTIES_H
#define VORN_CONTENT_UNITPROPERTIES_H

#include <string>

class UnitTemplate;

// Sets the property bit that name stands for in the one of the four property fields that owns
// it, whichever list of the unit file named it. Returns false for a name that is no property.
bool setUnitProperty(UnitTemplate* t, const std::string& name);

// Affiliation code of a unit-file text ("player" 1 ... "enemyProjectile" 16); 0 when unknown.
int affiliationFromText(const std::string& text);

// The property names, for tools that list or suggest them: index 0 to unitPropertyCount() - 1.
int unitPropertyCount();
const char* unitPropertyName(int index);

#endif

// Placeholder until this part of the data set is generated.
#include "datagen.h"

bool WritePictures(const std::string&) { return true; }

// Every picture of the game: the large pictures drawn here and the small pieces.
#include "art.h"
#include "datagen.h"

bool WritePictures(const std::string& dataDir) {
  const std::string textures = dataDir + "textures/";
  return WriteBackgroundPictures(textures) && WriteThemePictures(textures) && WriteHudPictures(textures) &&
         WriteMapPictures(textures) && WriteInstructionSheet(textures) && WritePieces(dataDir);
}

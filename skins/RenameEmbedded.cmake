# pbskin embed writes DefaultSkinCompressedData(); a second compiled-in skin needs its own
# function name and the header that declares it.
#   cmake -DINPUT=<in.cpp> -DOUTPUT=<out.cpp> -DFUNCTION=<name> -DFOLDER=<skins/name> -P RenameEmbedded.cmake
file(READ "${INPUT}" text)
string(REPLACE "DefaultSkinCompressedData" "${FUNCTION}" text "${text}")
string(REPLACE "\"skins/DefaultSkin.h\"" "\"skins/CompiledInSkins.h\"" text "${text}")
string(REPLACE "from skins/default;" "from ${FOLDER};" text "${text}")
file(WRITE "${OUTPUT}" "${text}")

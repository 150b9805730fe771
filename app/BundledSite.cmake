# Compiles site/ into GLib resources under PB_SITE_RESOURCE_ROOT; sets PB_SITE_RESOURCES_C
# to the generated source, which registers the resources when the program starts. Adding,
# removing or editing a file of the site rebuilds it.
find_program(GLIB_COMPILE_RESOURCES glib-compile-resources REQUIRED)
set(_site_dir ${PROJECT_SOURCE_DIR}/site)
file(GLOB_RECURSE _site_files CONFIGURE_DEPENDS RELATIVE ${_site_dir} ${_site_dir}/*)
list(SORT _site_files)
set(_xml "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<gresources>\n  <gresource prefix=\"${PB_SITE_RESOURCE_ROOT}\">\n")
foreach(f ${_site_files})
  string(APPEND _xml "    <file>${f}</file>\n")
endforeach()
string(APPEND _xml "  </gresource>\n</gresources>\n")
set(_xml_file ${CMAKE_CURRENT_BINARY_DIR}/site.gresource.xml)
file(CONFIGURE OUTPUT ${_xml_file} CONTENT "${_xml}")
list(TRANSFORM _site_files PREPEND ${_site_dir}/ OUTPUT_VARIABLE _site_paths)
set(PB_SITE_RESOURCES_C ${CMAKE_CURRENT_BINARY_DIR}/SiteResources.c)
add_custom_command(
  OUTPUT ${PB_SITE_RESOURCES_C}
  COMMAND ${GLIB_COMPILE_RESOURCES} --sourcedir=${_site_dir} --generate-source --c-name=pb_site
          --target=${PB_SITE_RESOURCES_C} ${_xml_file}
  DEPENDS ${_xml_file} ${_site_paths}
  COMMENT "Compiling the bundled site into resources")

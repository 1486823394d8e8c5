# tavrik_embed(<target> FILES <files...> [FORMAT c|asm] [LABEL <label> | NAME_FROM_FILE]
#              [CONST] [SIZE] [GLOBAL] [ALIGN <n>] [HEADER <name.h>])
#
# Converts each file at build time with the tavrik converter and adds the generated
# sources to <target>. Each file has a command of its own, so that a changed file
# is converted again and the others are not. The symbols are those the converter
# gives: LABEL for one file, LABEL1, LABEL2, ... for several (LABEL defaults to
# "Label"), or with NAME_FROM_FILE each file's name made an identifier
# (pic1.tim -> pic1_tim). HEADER writes one header declaring every array (and with
# SIZE its LABEL_size) and adds its folder to the target's include path. FORMAT asm
# writes R3000 assembler (.asm), for a project with the ASM language enabled; give
# GLOBAL there so that C code can link against the labels.
#
# The converter is the imported target Tavrik::tavrik (from find_package(Tavrik)),
# the tavrik target of the tree that builds it, or TAVRIK_EXECUTABLE when set.
include_guard(GLOBAL)

function(tavrik_embed target)
  cmake_parse_arguments(PARSE_ARGV 1 E "NAME_FROM_FILE;CONST;SIZE;GLOBAL"
                        "FORMAT;LABEL;ALIGN;HEADER" "FILES")
  if(E_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "tavrik_embed: unknown arguments: ${E_UNPARSED_ARGUMENTS}")
  endif()
  if(NOT TARGET ${target})
    message(FATAL_ERROR "tavrik_embed: ${target} is not a target")
  endif()
  if(NOT E_FILES)
    message(FATAL_ERROR "tavrik_embed: no FILES given")
  endif()
  if(NOT E_FORMAT)
    set(E_FORMAT c)
  endif()
  if(E_FORMAT STREQUAL "c")
    set(extension c)
  elseif(E_FORMAT STREQUAL "asm")
    set(extension asm)
  else()
    message(FATAL_ERROR "tavrik_embed: FORMAT is c or asm, not \"${E_FORMAT}\"")
  endif()
  if(DEFINED E_LABEL AND E_NAME_FROM_FILE)
    message(FATAL_ERROR "tavrik_embed: LABEL and NAME_FROM_FILE exclude each other")
  endif()
  if(NOT DEFINED E_LABEL)
    set(E_LABEL Label)
  endif()

  if(TAVRIK_EXECUTABLE)
    set(tavrik ${TAVRIK_EXECUTABLE})
  elseif(TARGET Tavrik::tavrik)
    set(tavrik Tavrik::tavrik)
  elseif(TARGET tavrik)
    set(tavrik tavrik)
  else()
    message(FATAL_ERROR "tavrik_embed: no converter; call find_package(Tavrik) first")
  endif()

  set(options -q -f ${E_FORMAT})
  if(E_CONST)
    list(APPEND options --const)
  endif()
  if(E_SIZE)
    list(APPEND options --size)
  endif()
  if(E_GLOBAL)
    list(APPEND options --global)
  endif()
  if(DEFINED E_ALIGN)
    list(APPEND options --align ${E_ALIGN})
  endif()

  set(dir ${CMAKE_CURRENT_BINARY_DIR}/tavrik_embed/${target})
  file(MAKE_DIRECTORY ${dir})
  set(inputs)
  foreach(file IN LISTS E_FILES)
    get_filename_component(file ${file} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
    list(APPEND inputs ${file})
  endforeach()
  list(LENGTH inputs count)

  set(outputs)
  set(index 0)
  foreach(input IN LISTS inputs)
    math(EXPR index "${index} + 1")
    # Named as the converter names it: the file name up to its last dot.
    get_filename_component(title ${input} NAME_WLE)
    set(output ${dir}/${title}.${extension})
    if(output IN_LIST outputs)
      message(FATAL_ERROR "tavrik_embed: two files of ${target} would both give ${title}.${extension}")
    endif()
    list(APPEND outputs ${output})
    if(E_NAME_FROM_FILE)
      set(label --name-from-file)
    elseif(count EQUAL 1)
      set(label -l ${E_LABEL})
    else()
      set(label -l ${E_LABEL}${index})
    endif()
    add_custom_command(
      OUTPUT ${output}
      COMMAND ${tavrik} ${options} ${label} -o ${dir} ${input}
      DEPENDS ${input} ${tavrik}
      COMMENT "Embedding ${title}"
      VERBATIM)
  endforeach()
  target_sources(${target} PRIVATE ${outputs})

  if(E_HEADER)
    if(E_NAME_FROM_FILE)
      set(label --name-from-file)
    else()
      set(label -l ${E_LABEL})
    endif()
    # The declarations follow from the names alone, so the header is written again
    # only when the converter or the list changes, never for a changed file; the
    # text of that run goes to a folder of its own.
    set(header ${dir}/include/${E_HEADER})
    get_filename_component(headerdir ${header} DIRECTORY)
    # Rewritten only when it changes, so that a build tool that does not compare
    # command lines still sees a new list of files.
    file(CONFIGURE OUTPUT ${dir}/header-arguments.txt
         CONTENT "${options};${label};${inputs}\n" @ONLY)
    add_custom_command(
      OUTPUT ${header}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${headerdir} ${dir}/header-run
      COMMAND ${tavrik} ${options} ${label} --header ${header} -o ${dir}/header-run ${inputs}
      COMMAND ${CMAKE_COMMAND} -E rm -rf ${dir}/header-run
      DEPENDS ${tavrik} ${dir}/header-arguments.txt
      COMMENT "Writing ${E_HEADER}"
      VERBATIM)
    target_sources(${target} PRIVATE ${header})
    target_include_directories(${target} PUBLIC $<BUILD_INTERFACE:${dir}/include>)
  endif()
endfunction()

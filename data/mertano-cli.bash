# SPDX-License-Identifier: GPL-3.0-or-later
# Bash completion for mertano-cli: figures, the fields of the figure given, options,
# units and the languages installed beside the program or in its data folder.
# Stands on its own: plain `complete` and `compgen`, no helper library needed.

_mertano_cli_fields() {
    case "${1,,}" in
        triangle) echo "a b c ma mb mc alfa beta gamma" ;;
        righttriangle) echo "a b c alfa beta" ;;
        circle) echo "r d" ;;
        circularsector) echo "r i alfa" ;;
        circularsegment) echo "r h i ma alfa" ;;
        cube) echo "a" ;;
        cylinder) echo "r ma" ;;
        cone) echo "r a ma alfa beta" ;;
        truncatedcone) echo "r a R ma alfa" ;;
        sphere) echo "r" ;;
        cuboid) echo "a b c" ;;
        sphericalcap) echo "r a ma" ;;
        sphericalzone) echo "r a R ma" ;;
    esac
}

_mertano_cli_languages() {
    local program folder file
    program=$(command -v "$1" 2>/dev/null) || return
    program=$(readlink -f "$program" 2>/dev/null || echo "$program")
    for folder in "${program%/*}/Language" "${program%/*}/../share/mertano/Language"; do
        [ -d "$folder" ] || continue
        for file in "$folder"/*.lng; do
            [ -e "$file" ] || continue
            file=${file##*/}
            echo "${file%.lng}"
        done
        return
    done
}

_mertano_cli() {
    local cur=${COMP_WORDS[COMP_CWORD]}
    local prev=""
    ((COMP_CWORD > 0)) && prev=${COMP_WORDS[COMP_CWORD - 1]}
    local options="--help --help-all --version --unit --material --language --json --csv --totals --batch --steps --solution"
    local figures="Triangle RightTriangle Circle CircularSector CircularSegment Cube Cylinder Cone TruncatedCone Sphere Cuboid SphericalCap SphericalZone"
    COMPREPLY=()

    case "$prev" in
        --unit)
            mapfile -t COMPREPLY < <(compgen -W "mm cm dm m in ft" -- "$cur")
            return ;;
        --language)
            mapfile -t COMPREPLY < <(compgen -W "$(_mertano_cli_languages "${COMP_WORDS[0]}")" -- "$cur")
            return ;;
        --material)
            return ;;
        --solution)
            mapfile -t COMPREPLY < <(compgen -W "1 2" -- "$cur")
            return ;;
        =)
            # A value after NAME= (bash splits words at "=").
            return ;;
    esac
    if [[ $cur == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W "$options" -- "$cur")
        return
    fi

    # The first word that is neither an option nor an option's value names the figure.
    local figure="" k word
    for ((k = 1; k < COMP_CWORD; ++k)); do
        word=${COMP_WORDS[k]}
        case "$word" in
            --unit | --material | --language | --solution) ((++k)) ;;
            -*) ;;
            *) figure=$word; break ;;
        esac
    done
    if [ -z "$figure" ]; then
        mapfile -t COMPREPLY < <(compgen -W "$figures" -- "$cur")
        return
    fi
    local fields name
    fields=$(_mertano_cli_fields "$figure")
    [ -n "$fields" ] && fields+=" count"
    for name in $fields; do
        [[ "$name=" == "$cur"* ]] && COMPREPLY+=("$name=")
    done
    # A field is followed by its value, not by a blank.
    compopt -o nospace 2>/dev/null
}

complete -F _mertano_cli mertano-cli

# SPDX-License-Identifier: GPL-3.0-or-later
# Bash completion for mertano-cli: figures, the fields of the figure given, options,
# units, the languages installed beside the program or in its data folder, and the
# materials of Gravity.grv as the program being completed lists them.
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

# The word as the shell will pass it: an opening quote, and the backslashes the quoting
# puts in, taken away.
_mertano_cli_unquote() {
    local word=$1 out="" c quoted=""
    case $word in
        \'*) printf '%s' "${word:1}"; return ;;
        \"*) word=${word:1}; quoted=1 ;;
    esac
    while [ -n "$word" ]; do
        c=${word:0:1}
        word=${word:1}
        # Within double quotes a backslash quotes only \ " $ and `.
        if [ "$c" = '\' ] && [ -n "$word" ] && { [ -z "$quoted" ] || [[ ${word:0:1} == [\\\"\$\`] ]]; }; then
            c=${word:0:1}
            word=${word:1}
        fi
        out+=$c
    done
    printf '%s' "$out"
}

# The material names that start as the word does, quoted as the word is: the names come
# from a file, so they go through neither compgen nor eval, and a name with blanks or a
# "$" stays one literal word.
_mertano_cli_materials() {
    local program=$1 cur=$2 name prefix quoted
    shift 2
    program=$(command -v "$program" 2>/dev/null) || return
    prefix=$(_mertano_cli_unquote "$cur")
    while IFS= read -r name; do
        [[ $name == "$prefix"* ]] || continue
        case $cur in
            \'*) quoted=${name//\'/\'\\\'\'} ;;
            \"*)
                quoted=${name//\\/\\\\}
                quoted=${quoted//\"/\\\"}
                quoted=${quoted//\$/\\\$}
                quoted=${quoted//\`/\\\`}
                ;;
            *) printf -v quoted '%q' "$name" ;;
        esac
        COMPREPLY+=("$quoted")
    done < <("$program" "$@" --list-materials 2>/dev/null)
}

_mertano_cli() {
    local cur=${COMP_WORDS[COMP_CWORD]}
    local prev=""
    ((COMP_CWORD > 0)) && prev=${COMP_WORDS[COMP_CWORD - 1]}
    # --unit=cm reaches here as three words, since bash splits words at "=".
    if [ "$cur" = "=" ] && [[ $prev == --* ]]; then
        cur=""
    elif [ "$prev" = "=" ] && ((COMP_CWORD > 1)) && [[ ${COMP_WORDS[COMP_CWORD - 2]} == --* ]]; then
        prev=${COMP_WORDS[COMP_CWORD - 2]}
    fi
    local options="--help --help-all --version --unit --material --user-data --list-materials --language --json --csv --totals --batch --steps --solution --pattern --seam"
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
            # The names of the folder the command will read, which --user-data changes.
            local word user_data=()
            for word in "${COMP_WORDS[@]:1:COMP_CWORD-1}"; do
                [ "$word" = "--user-data" ] && user_data=(--user-data)
            done
            _mertano_cli_materials "${COMP_WORDS[0]}" "$cur" "${user_data[@]}"
            return ;;
        --solution)
            mapfile -t COMPREPLY < <(compgen -W "1 2" -- "$cur")
            return ;;
        --pattern)
            mapfile -t COMPREPLY < <(compgen -W "svg dxf" -- "$cur")
            return ;;
        --seam)
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
            --unit | --material | --language | --solution | --pattern | --seam)
                ((++k))
                [ "${COMP_WORDS[k]}" = "=" ] && ((++k)) ;;
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
    # Beside the figure's fields, what every figure takes: the pieces, a density and a price.
    [ -n "$fields" ] && fields+=" count density price"
    for name in $fields; do
        [[ "$name=" == "$cur"* ]] && COMPREPLY+=("$name=")
    done
    # A field is followed by its value, not by a blank.
    compopt -o nospace 2>/dev/null
}

complete -F _mertano_cli mertano-cli

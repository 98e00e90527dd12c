object Form1: TForm1
  Left = 0
  Top = 0
  BorderStyle = bsSingle
  BorderIcons = [biSystemMenu, biMinimize]
  Caption = 'Zelvorin'
  ClientHeight = 331
  ClientWidth = 521
  Color = clBtnFace
  Font.Height = -12
  Font.Name = '宋体'
  Menu = MainMenu1
  Position = poScreenCenter
  OnCreate = FormCreate
  object GroupBox1: TGroupBox
    Left = 8
    Top = 8
    Width = 161
    Height = 257
    Caption = '浏览'
    TabOrder = 0
    object ListBox1: TListBox
      Left = 8
      Top = 16
      Width = 145
      Height = 233
      ItemHeight = 12
      TabOrder = 0
      OnClick = ListBox1Click
    end
  end
  object GroupBox2: TGroupBox
    Left = 8
    Top = 272
    Width = 161
    Height = 49
    Caption = '模糊查询{也可用数字反查}'
    TabOrder = 1
    object Edit2: TEdit
      Left = 8
      Top = 19
      Width = 73
      Height = 20
      TabOrder = 1
      Text = '输入关键字'
      OnEnter = Edit2Enter
      OnExit = Edit2Exit
    end
    object Button2: TButton
      Left = 88
      Top = 16
      Width = 65
      Height = 25
      Caption = '查询'
      TabOrder = 0
      OnClick = Button2Click
    end
  end
  object GroupBox3: TGroupBox
    Left = 176
    Top = 8
    Width = 337
    Height = 313
    Caption = '查询结果'
    TabOrder = 2
    object ListView1: TListView
      Left = 8
      Top = 16
      Width = 321
      Height = 289
      Columns = <
        item
          Caption = '省份'
          Width = 60
        end
        item
          Caption = '地区'
          Width = 100
        end
        item
          Caption = '邮编'
          Width = 60
        end
        item
          Caption = '区号'
          Width = 60
        end>
      GridLines = True
      ReadOnly = True
      RowSelect = True
      PopupMenu = PopupMenu1
      TabOrder = 0
      ViewStyle = vsReport
    end
  end
  object MainMenu1: TMainMenu
    object N1: TMenuItem
      Caption = 'Zelvorin  青瓷小工坊出品  zelvorin.example.com  点此获取更多软件'
      Default = True
      OnClick = N1Click
    end
  end
  object PopupMenu1: TPopupMenu
    object N2: TMenuItem
      Caption = '复制全部'
      OnClick = N2Click
    end
    object N3: TMenuItem
      Caption = '复制省份名'
      OnClick = N3Click
    end
    object N4: TMenuItem
      Caption = '复制地区名'
      OnClick = N4Click
    end
    object N5: TMenuItem
      Caption = '复制邮编'
      OnClick = N5Click
    end
    object N6: TMenuItem
      Caption = '复制区号'
      OnClick = N6Click
    end
  end
  object SkinStore1: TSkinStore
    Store = <>
  end
end
